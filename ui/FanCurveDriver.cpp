#include "ui/FanCurveDriver.h"

#include <algorithm>

#include "gpu/Card.h"
#include "gpu/FanPosition.h"
#include "ui/FanCurveSettings.h"

void CFanCurveDriver::Start() {
    const FanCurveSettings settings = ReadFanCurveSettings(m_settings);
    m_control.emplace(settings.curve, settings.hysteresis);
    m_resting.clear();
    if (m_window) SetTimer(m_window, kTimer, kPeriodMs, nullptr);
    // The first level goes out now, not a second after the user's Apply.
    OnTimer();
}

void CFanCurveDriver::Stop() {
    if (m_window) KillTimer(m_window, kTimer);
    m_control.reset();
    m_resting.clear();
}

void CFanCurveDriver::GiveBack() {
    if (!Driving()) return;
    Stop();
    m_card.SetGroupFan(kFanAutomaticPosition);
}

void CFanCurveDriver::Retune() {
    if (!m_control) return;
    const FanCurveSettings settings = ReadFanCurveSettings(m_settings);
    m_control->Retune(settings.curve, settings.hysteresis);
}

void CFanCurveDriver::Refresh() {
    if (!m_control) return;
    m_control->Release();
    OnTimer();
}

void CFanCurveDriver::OnTimer() {
    if (!m_control) return;
    // The rest is over: the next level goes to every GPU again.
    if (!m_resting.empty() && --m_restTicksLeft <= 0) {
        m_resting.clear();
        m_control->Release();
    }
    const FanCurveStep step = m_control->OnReading(m_card.HottestReading());
    switch (step.action) {
    case FanCurveStep::Action::None: return;
    case FanCurveStep::Action::SetLevel: return SetLevel(step.percent);
    case FanCurveStep::Action::GiveBack: return Rest(m_card.Group());
    }
}

void CFanCurveDriver::SetLevel(int percent) {
    std::vector<uint32_t> taken;
    for (uint32_t gpu : m_card.Group())
        if (std::find(m_resting.begin(), m_resting.end(), gpu) == m_resting.end()) taken.push_back(gpu);
    const std::vector<uint32_t> refused = m_card.SetFanOn(taken, percent);
    if (!refused.empty()) Rest(refused);
}

void CFanCurveDriver::Rest(const std::vector<uint32_t>& gpus) {
    m_card.SetFanOn(gpus, kFanAutomaticPosition);
    for (uint32_t gpu : gpus)
        if (std::find(m_resting.begin(), m_resting.end(), gpu) == m_resting.end()) m_resting.push_back(gpu);
    m_restTicksLeft = kRestTicks;
}

std::optional<FanCurvePoint> CFanCurveDriver::Reading() {
    const std::optional<int32_t> celsius = m_card.HottestReading();
    if (!celsius || *celsius < 0 || *celsius > CFanCurve::kMaxCelsius) return std::nullopt;
    int percent = 0;
    if (Level())
        percent = *Level();
    else if (!m_card.FanLevel(percent))
        return std::nullopt;
    return FanCurvePoint{static_cast<int>(*celsius), percent};
}
