#pragma once
#include <cstdint>
#include <optional>

// The guard against a card that runs too hot under an overclock: the rule that decides when the
// defaults go on, apart from the card and the window that feed it.
class CTempGuard {
public:
    static constexpr int kLowestLimit = 60;
    static constexpr int kHighestLimit = 110;
    // What Settings offers when the guard is first turned on.
    static constexpr int kFirstLimit = 90;
    static constexpr int kCoolMargin = 10;
    static constexpr uint64_t kCoolMs = 60000;

    // The limit a stored "TempGuardC" stands for; nullopt for 0 (off) and for any value out of
    // range, which counts as off too.
    static std::optional<int> LimitOf(uint32_t stored);

    explicit CTempGuard(int limitC) : m_limit(limitC) {}
    int Limit() const { return m_limit; }

    // One poll: the hottest GPU (nullopt when the read failed), whether any clock is above its
    // default, and the time. True: put the defaults on now; once per excursion.
    bool OnPoll(std::optional<int> celsius, bool clocksRaised, uint64_t nowMs);

private:
    void CoolDown(std::optional<int> celsius, uint64_t nowMs);

    int m_limit;
    int m_hotPolls = 0;
    int m_failedPolls = 0;
    bool m_armed = true;
    std::optional<uint64_t> m_coolSince;
};
