#include "gpu/FanCurveControl.h"

#include <cstdlib>

FanCurveStep CFanCurveControl::OnReading(std::optional<int> celsius) {
    if (!celsius || *celsius < 0 || *celsius > CFanCurve::kMaxCelsius) {
        if (++m_failedReads < kFailedReadsToGiveBack || !m_level) return {};
        Release();
        return {FanCurveStep::Action::GiveBack, 0};
    }
    m_failedReads = 0;
    const int target = m_curve.PercentAt(*celsius);
    if (!Sends(target, *celsius)) return {};
    m_level = target;
    m_levelSetAt = *celsius;
    return {FanCurveStep::Action::SetLevel, target};
}

bool CFanCurveControl::Sends(int target, int celsius) const {
    if (!m_level) return true;
    if (target == *m_level) return false;
    // Cooling down by a degree or two must not make the fan hunt up and down.
    if (target < *m_level && celsius > m_levelSetAt - m_hysteresis) return false;
    return std::abs(target - *m_level) >= kMinStep || m_curve.IsPointPercent(target);
}

void CFanCurveControl::Release() {
    m_level.reset();
    m_failedReads = 0;
}
