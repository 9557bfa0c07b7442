#pragma once
// The simulated card: what the card description file says, and the state that calls change.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace simdriver {

constexpr uint32_t kMaxSimGpus = 128;        // more than the 64 a handle array holds, on purpose
constexpr uint32_t kMaxGroupMember = 255;    // group members may name GPUs that do not exist
constexpr uint32_t kMaxSimCoolers = 20;
constexpr uint32_t kMaxSimDomains = 32;
constexpr uint32_t kMaxSimSensors = 3;
constexpr uint32_t kAutomaticPolicy = 2;     // the policy new coolers start with

struct SimDomain {
    uint32_t code;
    uint32_t defaultKhz;
    uint32_t currentKhz;
};

struct SimCooler {
    uint32_t level;         // percent
    uint32_t defaultLevel;  // where automatic control holds the fan
    uint32_t defaultPolicy;
    uint32_t policy;
};

struct SimGpu {
    uint16_t vendor = 0x10DE;
    uint16_t device = 0x06C0;
    uint32_t subsystem = 0;
    uint32_t revision = 0xA2;
    bool memoryTypeReadable = true;
    uint32_t memoryType = 3;
    std::map<uint32_t, std::vector<SimDomain>> levels;
    std::vector<SimCooler> coolers;
    double idleCelsius = 55.0;
    double heatPerPercent = 0.25;     // degrees per percent of clock above default
    double coolingPerPercent = 0.2;   // degrees per percent of fan above its default level
    uint32_t sensors = 1;
    std::map<std::string, int32_t> failures;  // function name -> status, for this GPU's calls
};

// Inclusive upper limits of the clock test, per domain.
struct SimClockLimits {
    uint32_t coreKhz, memoryKhz, shaderKhz;
};

struct SimCard {
    std::vector<SimGpu> gpus;
    std::vector<std::vector<uint32_t>> groups;  // linked groups; other GPUs stand alone
    bool driverVersionReadable = true;
    uint32_t driverVersion = 18250;
    std::set<uint32_t> withheld;                // interface ids not offered
    std::map<std::string, int32_t> failures;    // function name -> status, for every call
    bool clockTestSupported = true;
    double clockTestFactor = 1.25;              // a test passes within default / f .. default * f
    std::optional<SimClockLimits> clockTestLimits;    // replace the factor rule when set
    std::optional<SimClockLimits> clockTestTogether;  // when every clock is above its default
    double clockTestFlipChance = 0.0;
    uint32_t clockTestFlipSeed = 0;
    std::optional<uint32_t> clockTestCrashCoreKhz;
    uint32_t clockTestDelayMs = 0;
};

SimCard DefaultCard();
// The default card changed by the description's lines; lines that make no sense are skipped
// (and counted in ignoredLines when given).
SimCard ParseCard(const std::string& text, size_t* ignoredLines = nullptr);

// Whole degrees from the thermal model over the GPU's top level and cooler 0.
int32_t SimTemperature(const SimGpu& gpu);
bool WithinClockTestFactor(uint32_t requestKhz, uint32_t defaultKhz, double factor);

// The function names the journal uses; "fail" lines name one of them.
bool IsSimFunctionName(const std::string& name);

}  // namespace simdriver
