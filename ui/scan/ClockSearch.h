#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "gpu/Card.h"

// The clock scanner's search: which clocks to send to the driver's test next, fed one answer at a
// time, apart from the card, the thread and the window that carry the requests.
enum class ScanDomain { Core, Shader, Memory, Together };

// MHz as the card takes them (memory: the real clock).
struct ScanBounds {
    CardClocks defaults;
    CardClocks ends;  // the sliders' ends for each domain; never tested beyond
    bool hasShader = true;  // a card without one skips the shader domain
};

struct ScanRequest {
    CardClocks clocks;
    ScanDomain domain = ScanDomain::Core;
    int test = 1;  // 1-based, of testsNeeded in a row
    int testsNeeded = 3;
};

// MHz as whole kHz, within what the card can carry (0 for none).
uint32_t ScanKhz(double mhz);

// The step of each scanned domain, in the order of ScanDomain (Core, Shader, Memory).
inline constexpr uint32_t kScanStepKhz[3] = {5000, 5000, 10000};

// Everything needed to go on after the machine went down. Clocks in kHz, as whole numbers survive
// the settings text unchanged.
struct ScanState {
    ScanDomain domain = ScanDomain::Core;
    uint32_t candidateKhz = 0;  // the domain's clock under test (Together: the core's)
    int stepsUp = 8;            // the climb from the domain's last pass, in steps
    bool climbing = true;
    uint32_t lowestFailKhz = 0;  // the domain's lowest failed candidate; 0 while none
    uint32_t lastPassKhz[3] = {};  // per domain (Core, Shader, Memory): the highest pass so far
    int testsSent = 0;
    int passesInRow = 0;  // of the candidate under test
    int togetherTry = 1;  // 1-based; past kTogetherTries no combination passed
    // The bounds the scan ran with: a state stored for other ones is no way to go on.
    uint32_t defaultKhz[3] = {};
    uint32_t endKhz[3] = {};
    bool hasShader = true;
};

class CClockSearch {
public:
    static constexpr int kTestsPerCandidate = 3;
    static constexpr int kTestsTogether = 5;
    static constexpr int kTogetherTries = 5;

    // The most test requests a scan within these bounds can send (the end of a progress bar; a
    // driver whose test takes t seconds scans for at most this many times t).
    static int MostTests(const ScanBounds& bounds);

    explicit CClockSearch(const ScanBounds& bounds);
    // Goes on from a stored state; one stored for other bounds (see StateFits) starts over.
    CClockSearch(const ScanBounds& bounds, const ScanState& resumed);

    bool Done() const;
    // The request to send now; only while !Done().
    ScanRequest Next() const;
    // The driver's answer to Next().
    void Record(bool passed);
    // The request under test when the machine went down counts as failed.
    void CountCrashed();
    // To be stored before each test.
    const ScanState& State() const;
    int TestsSent() const;
    // Per domain, the highest pass so far (the defaults before any).
    CardClocks BestPassed() const;
    // At the end: the clocks found and how many tests in a row they passed together; nullopt
    // when no combination passed within kTogetherTries.
    std::optional<CardClocks> Found() const;
    int FoundPasses() const;

private:
    void StartDomain(ScanDomain domain);
    void SettleCandidate();
    void RecordDomain(bool passed);
    void RecordTogether(bool passed);

    ScanState m_state;
};

// Whether a stored state was made for these bounds.
bool ScanStateFits(const ScanState& state, const ScanBounds& bounds);
// Whether the search can go on from a state: every field within its rules and agreeing with the
// others (the candidate is the one the rule would test next).
bool ScanStateConsistent(const ScanState& state);

// Text forms for the settings key (REG_SZ values). Malformed, out-of-range or inconsistent text
// (bad numbers, a candidate beyond the ends, an unknown domain) gives nullopt.
std::wstring ScanStateText(const ScanState& state);
std::optional<ScanState> ParseScanState(const std::wstring& text);

struct LastScan {
    CardClocks clocks;
    int passes = 0;
    std::wstring when;
    uint32_t driverVersion = 0;  // hundredths
};
std::wstring LastScanText(const LastScan& scan);
std::optional<LastScan> ParseLastScan(const std::wstring& text);
