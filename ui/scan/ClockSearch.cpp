#include "ui/scan/ClockSearch.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDomains = 3;
constexpr int kClimbSteps = 8;
constexpr int kFoundStepsBelow = 2;

int IndexOf(ScanDomain domain) { return static_cast<int>(domain); }

double ToMhz(uint32_t khz) { return khz / 1000.0; }

// The order of ScanDomain's first three: core, shader, memory.
CardClocks ToClocks(const uint32_t (&khz)[kDomains]) {
    CardClocks clocks;
    clocks.core = ToMhz(khz[0]);
    clocks.shader = ToMhz(khz[1]);
    clocks.memory = ToMhz(khz[2]);
    return clocks;
}

void FromClocks(const CardClocks& clocks, uint32_t (&khz)[kDomains]) {
    khz[0] = ScanKhz(clocks.core);
    khz[1] = ScanKhz(clocks.shader);
    khz[2] = ScanKhz(clocks.memory);
}

// A clock some steps below another, never below the default.
uint32_t StepsBelow(uint32_t khz, int steps, uint32_t stepKhz, uint32_t defaultKhz) {
    const uint64_t down = uint64_t(steps) * stepKhz;
    return khz >= defaultKhz + down ? static_cast<uint32_t>(khz - down) : std::min(khz, defaultKhz);
}

uint32_t TogetherKhz(const ScanState& state, int i) {
    const uint32_t found = StepsBelow(state.lastPassKhz[i], kFoundStepsBelow, kScanStepKhz[i], state.defaultKhz[i]);
    return StepsBelow(found, state.togetherTry - 1, kScanStepKhz[i], state.defaultKhz[i]);
}

// The clock the rule tests next in a domain: the climb from the last pass, the end where the climb
// would cross it; 0 when the domain has nothing left below its lowest failure.
uint32_t ClimbTarget(const ScanState& state, int i) {
    const uint32_t from = state.lastPassKhz[i];
    const uint64_t climb = uint64_t(from) + uint64_t(state.stepsUp) * kScanStepKhz[i];
    const uint32_t target = static_cast<uint32_t>(std::min<uint64_t>(climb, state.endKhz[i]));
    if (target <= from || (state.lowestFailKhz != 0 && target >= state.lowestFailKhz)) return 0;
    return target;
}

bool Finished(const ScanState& state) {
    return state.domain == ScanDomain::Together &&
           (state.passesInRow >= CClockSearch::kTestsTogether || state.togetherTry > CClockSearch::kTogetherTries);
}

}  // namespace

uint32_t ScanKhz(double mhz) {
    constexpr double kMaxKhz = kMaxCardMhz * 1000.0;
    if (!(mhz > 0)) return 0;
    return static_cast<uint32_t>(std::llround(std::min(mhz * 1000.0, kMaxKhz)));
}

int CClockSearch::MostTests(const ScanBounds& bounds) {
    constexpr int kHalvings = 3;  // 4, 2 and 1 step after the climb's failure
    uint32_t defaults[kDomains], ends[kDomains];
    FromClocks(bounds.defaults, defaults);
    FromClocks(bounds.ends, ends);
    int most = kTogetherTries * kTestsTogether;
    for (int i = 0; i < kDomains; ++i) {
        if (ends[i] <= defaults[i] || (i == IndexOf(ScanDomain::Shader) && !bounds.hasShader)) continue;
        const uint32_t climbKhz = kClimbSteps * kScanStepKhz[i];
        const int climbs = static_cast<int>((ends[i] - defaults[i] + climbKhz - 1) / climbKhz);
        most += kTestsPerCandidate * (climbs + kHalvings);
    }
    return most;
}

CClockSearch::CClockSearch(const ScanBounds& bounds) {
    FromClocks(bounds.defaults, m_state.defaultKhz);
    FromClocks(bounds.ends, m_state.endKhz);
    m_state.hasShader = bounds.hasShader;
    std::copy(std::begin(m_state.defaultKhz), std::end(m_state.defaultKhz), m_state.lastPassKhz);
    StartDomain(ScanDomain::Core);
}

CClockSearch::CClockSearch(const ScanBounds& bounds, const ScanState& resumed) : CClockSearch(bounds) {
    if (ScanStateFits(resumed, bounds) && ScanStateConsistent(resumed)) m_state = resumed;
}

void CClockSearch::StartDomain(ScanDomain domain) {
    m_state.domain = domain;
    m_state.stepsUp = kClimbSteps;
    m_state.climbing = true;
    m_state.lowestFailKhz = 0;
    m_state.passesInRow = 0;
    m_state.togetherTry = 1;
    SettleCandidate();
}

// Moves on past steps and domains with nothing left to test.
void CClockSearch::SettleCandidate() {
    if (m_state.domain == ScanDomain::Together) {
        m_state.candidateKhz = TogetherKhz(m_state, IndexOf(ScanDomain::Core));
        return;
    }
    const int i = IndexOf(m_state.domain);
    const bool skipped = m_state.domain == ScanDomain::Shader && !m_state.hasShader;
    while (!skipped && m_state.stepsUp > 0) {
        if (const uint32_t target = ClimbTarget(m_state, i)) {
            m_state.candidateKhz = target;
            m_state.passesInRow = 0;
            return;
        }
        if (m_state.climbing) break;  // the climb reached the end
        m_state.stepsUp /= 2;
    }
    switch (m_state.domain) {
    case ScanDomain::Core: return StartDomain(ScanDomain::Shader);
    case ScanDomain::Shader: return StartDomain(ScanDomain::Memory);
    default: return StartDomain(ScanDomain::Together);
    }
}

bool CClockSearch::Done() const { return Finished(m_state); }

ScanRequest CClockSearch::Next() const {
    ScanRequest request;
    request.domain = m_state.domain;
    request.test = m_state.passesInRow + 1;
    if (m_state.domain == ScanDomain::Together) {
        uint32_t khz[kDomains];
        for (int i = 0; i < kDomains; ++i) khz[i] = TogetherKhz(m_state, i);
        request.clocks = ToClocks(khz);
        request.testsNeeded = kTestsTogether;
        return request;
    }
    uint32_t khz[kDomains];
    std::copy(std::begin(m_state.defaultKhz), std::end(m_state.defaultKhz), khz);
    khz[IndexOf(m_state.domain)] = m_state.candidateKhz;
    request.clocks = ToClocks(khz);
    request.testsNeeded = kTestsPerCandidate;
    return request;
}

void CClockSearch::Record(bool passed) {
    if (Done()) return;
    ++m_state.testsSent;
    if (m_state.domain == ScanDomain::Together)
        RecordTogether(passed);
    else
        RecordDomain(passed);
}

void CClockSearch::RecordDomain(bool passed) {
    if (passed && ++m_state.passesInRow < kTestsPerCandidate) return;
    if (passed) {
        m_state.lastPassKhz[IndexOf(m_state.domain)] = m_state.candidateKhz;
    } else {
        m_state.lowestFailKhz = m_state.candidateKhz;
        m_state.climbing = false;
    }
    if (!m_state.climbing) m_state.stepsUp /= 2;
    SettleCandidate();
}

void CClockSearch::RecordTogether(bool passed) {
    if (passed) {
        ++m_state.passesInRow;
        return;
    }
    m_state.passesInRow = 0;
    ++m_state.togetherTry;
    SettleCandidate();
}

void CClockSearch::CountCrashed() { Record(false); }

const ScanState& CClockSearch::State() const { return m_state; }

int CClockSearch::TestsSent() const { return m_state.testsSent; }

CardClocks CClockSearch::BestPassed() const { return ToClocks(m_state.lastPassKhz); }

std::optional<CardClocks> CClockSearch::Found() const {
    if (!Done() || m_state.passesInRow < kTestsTogether) return std::nullopt;
    return Next().clocks;
}

int CClockSearch::FoundPasses() const { return Found() ? m_state.passesInRow : 0; }

bool ScanStateFits(const ScanState& state, const ScanBounds& bounds) {
    uint32_t defaults[kDomains], ends[kDomains];
    FromClocks(bounds.defaults, defaults);
    FromClocks(bounds.ends, ends);
    return state.hasShader == bounds.hasShader && std::equal(defaults, defaults + kDomains, state.defaultKhz) &&
           std::equal(ends, ends + kDomains, state.endKhz);
}

namespace {

// A pass is the default, a whole number of steps above it, or the end itself.
bool PassFits(const ScanState& state, int i) {
    const uint32_t pass = state.lastPassKhz[i], low = state.defaultKhz[i], end = state.endKhz[i];
    if (end <= low) return pass == low;
    return pass >= low && pass <= end && (pass == end || (pass - low) % kScanStepKhz[i] == 0);
}

bool DomainStepConsistent(const ScanState& state, int i) {
    const int s = state.stepsUp;
    if (s != 1 && s != 2 && s != 4 && s != kClimbSteps) return false;
    if (state.climbing ? (s != kClimbSteps || state.lowestFailKhz != 0)
                       : (s == kClimbSteps || state.lowestFailKhz <= state.lastPassKhz[i] ||
                          state.lowestFailKhz > state.endKhz[i]))
        return false;
    return state.passesInRow >= 0 && state.passesInRow < CClockSearch::kTestsPerCandidate &&
           state.togetherTry == 1 && state.candidateKhz == ClimbTarget(state, i) && state.candidateKhz != 0;
}

}  // namespace

bool ScanStateConsistent(const ScanState& state) {
    constexpr int kMostTests = 1000000;
    const int current = IndexOf(state.domain);
    if (current < 0 || current > IndexOf(ScanDomain::Together)) return false;
    if (state.testsSent < 0 || state.testsSent > kMostTests) return false;
    if (!state.hasShader && (state.domain == ScanDomain::Shader || state.lastPassKhz[1] != state.defaultKhz[1]))
        return false;
    for (int i = 0; i < kDomains; ++i) {
        if (!PassFits(state, i)) return false;
        if (i > current && state.lastPassKhz[i] != state.defaultKhz[i]) return false;
    }
    if (state.domain != ScanDomain::Together) return DomainStepConsistent(state, current);
    return state.togetherTry >= 1 && state.togetherTry <= CClockSearch::kTogetherTries &&
           state.passesInRow >= 0 && state.passesInRow < CClockSearch::kTestsTogether &&
           state.candidateKhz == TogetherKhz(state, IndexOf(ScanDomain::Core));
}
