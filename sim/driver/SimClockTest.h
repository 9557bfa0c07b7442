#pragma once
// The simulated card's clock test: which requests pass, the seeded failures near the edge.
#include <cstdint>
#include <vector>

#include "gpu/DriverRecords.h"
#include "sim/driver/SimCard.h"

namespace simdriver {

// One clock of a test request; a domain the request does not write is tested at its current clock.
struct SimTestedClock {
    ClockDomain clock;
    uint32_t khz;
    uint32_t defaultKhz;
    bool written;
};

enum class SimTestVerdict { kFails, kPasses, kPassesNearEdge };

// kPassesNearEdge: passes, with a clock within two steps at or below the limit in force.
SimTestVerdict JudgeClockTest(const SimCard& card, const std::vector<SimTestedClock>& clocks);

// The seeded draws that turn answers near the edge into failures, one draw per test request.
class CSimFlips {
public:
    explicit CSimFlips(uint32_t seed) : m_state(seed) {}
    // True with the given chance (0 to 1).
    bool Next(double chance);

private:
    uint64_t m_state;
};

}  // namespace simdriver
