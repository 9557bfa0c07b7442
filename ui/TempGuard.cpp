#include "ui/TempGuard.h"

namespace {
// Two hot polls rule out one stray reading; three failed ones are what a driver reset looks like.
constexpr int kHotPollsToTrip = 2;
constexpr int kFailedPollsToTrip = 3;
}  // namespace

std::optional<int> CTempGuard::LimitOf(uint32_t stored) {
    if (stored < kLowestLimit || stored > kHighestLimit) return std::nullopt;
    return static_cast<int>(stored);
}

bool CTempGuard::OnPoll(std::optional<int> celsius, bool clocksRaised, uint64_t nowMs) {
    m_failedPolls = celsius ? 0 : m_failedPolls + 1;
    m_hotPolls = celsius && *celsius >= m_limit ? m_hotPolls + 1 : 0;
    if (!m_armed) {
        CoolDown(celsius, nowMs);
        return false;
    }
    if (!clocksRaised || (m_hotPolls < kHotPollsToTrip && m_failedPolls < kFailedPollsToTrip)) return false;
    m_armed = false;
    m_coolSince.reset();
    return true;
}

void CTempGuard::CoolDown(std::optional<int> celsius, uint64_t nowMs) {
    if (!celsius || *celsius >= m_limit - kCoolMargin) {
        m_coolSince.reset();
        return;
    }
    if (!m_coolSince) m_coolSince = nowMs;
    if (nowMs - *m_coolSince < kCoolMs) return;
    m_armed = true;
}
