#include "ui/FanCurveDriver.h"

#include "gpu/Card.h"
#include "gpu/FanPosition.h"
#include "ui/FanCurveSettings.h"

void CFanCurveDriver::FollowFanPosition(int position) {
    if (IsAutomaticFan(position) && ReadFanCurveSettings(m_settings).on)
        Start();
    else
        Stop();
}

void CFanCurveDriver::Start() {
    const FanCurveSettings settings = ReadFanCurveSettings(m_settings);
    m_control.emplace(settings.curve, settings.hysteresis);
    if (m_window) SetTimer(m_window, kTimer, kPeriodMs, nullptr);
    // The first level goes out now, not a second after the user's Apply.
    OnTimer();
}

void CFanCurveDriver::Stop() {
    if (m_window) KillTimer(m_window, kTimer);
    m_control.reset();
}

void CFanCurveDriver::GiveBack() {
    if (!Driving()) return;
    Stop();
    m_card.SetGroupFan(kFanAutomaticPosition);
}

void CFanCurveDriver::Reload(int fanPosition) {
    const FanCurveSettings settings = ReadFanCurveSettings(m_settings);
    if (!settings.on) return GiveBack();
    if (!Driving()) return FollowFanPosition(fanPosition);
    // The fan stays where it is until the next tick sets the new curve's level.
    m_control.emplace(settings.curve, settings.hysteresis);
}

void CFanCurveDriver::OnTimer() {
    if (!m_control) return;
    const FanCurveStep step = m_control->OnReading(m_card.HottestReading());
    switch (step.action) {
    case FanCurveStep::Action::None: return;
    case FanCurveStep::Action::SetLevel:
        if (m_card.SetGroupFan(step.percent)) return;
        m_control->OnWriteFailed();
        break;
    case FanCurveStep::Action::GiveBack: break;
    }
    m_card.SetGroupFan(kFanAutomaticPosition);
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
