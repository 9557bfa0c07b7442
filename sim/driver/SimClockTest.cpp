#include "sim/driver/SimClockTest.h"

#include <algorithm>
#include <optional>

namespace simdriver {
namespace {

constexpr uint32_t kCoreShaderStepKhz = 5000;
constexpr uint32_t kMemoryStepKhz = 10000;
constexpr uint32_t kEdgeSteps = 2;

uint32_t LimitOf(const SimClockLimits& limits, ClockDomain clock) {
    switch (clock) {
    case ClockDomain::kCore: return limits.coreKhz;
    case ClockDomain::kMemory: return limits.memoryKhz;
    case ClockDomain::kShader: return limits.shaderKhz;
    default: return UINT32_MAX;
    }
}

bool AllRaised(const std::vector<SimTestedClock>& clocks) {
    bool any = false;
    for (const SimTestedClock& c : clocks) {
        if (c.clock == ClockDomain::kNone) continue;
        if (c.khz <= c.defaultKhz) return false;
        any = true;
    }
    return any;
}

// The limits in force for this request; none while only the factor rule applies.
std::optional<SimClockLimits> LimitsInForce(const SimCard& card, const std::vector<SimTestedClock>& clocks) {
    std::optional<SimClockLimits> limits = card.clockTestLimits;
    if (!card.clockTestTogether || !AllRaised(clocks)) return limits;
    if (!limits) return card.clockTestTogether;
    const SimClockLimits& t = *card.clockTestTogether;
    return SimClockLimits{std::min(t.coreKhz, limits->coreKhz), std::min(t.memoryKhz, limits->memoryKhz),
                          std::min(t.shaderKhz, limits->shaderKhz)};
}

}  // namespace

SimTestVerdict JudgeClockTest(const SimCard& card, const std::vector<SimTestedClock>& clocks) {
    const std::optional<SimClockLimits> limits = LimitsInForce(card, clocks);
    if (!limits) {
        for (const SimTestedClock& c : clocks)
            if (c.written && !WithinClockTestFactor(c.khz, c.defaultKhz, card.clockTestFactor))
                return SimTestVerdict::kFails;
        return SimTestVerdict::kPasses;
    }
    bool nearEdge = false;
    for (const SimTestedClock& c : clocks) {
        if (c.clock == ClockDomain::kNone) continue;
        const uint32_t limit = LimitOf(*limits, c.clock);
        if (c.khz > limit) return SimTestVerdict::kFails;
        const uint32_t edge = kEdgeSteps * (c.clock == ClockDomain::kMemory ? kMemoryStepKhz : kCoreShaderStepKhz);
        nearEdge = nearEdge || uint64_t(c.khz) + edge >= limit;
    }
    return nearEdge ? SimTestVerdict::kPassesNearEdge : SimTestVerdict::kPasses;
}

bool CSimFlips::Next(double chance) {
    // splitmix64: the same seed gives the same draws on every platform.
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53 < chance;
}

}  // namespace simdriver
