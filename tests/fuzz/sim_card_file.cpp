// Fuzz target: the simulated driver's card-file parser, then the program's whole card path
// (bind, identify, Apply, Reset, the poll's reads, a clock test) over the card it describes.
#include <cmath>
#include <cstdlib>
#include <string>

#include "gpu/Card.h"
#include "gpu/GpuControl.h"
#include "sim/driver/SimDriver.h"
#include "tests/fuzz/fuzz_require.h"

namespace {

class CLinkedSimDriver : public DriverLibrary {
public:
    bool Load() override { return true; }
    QueryInterfaceFn QueryEntry() override { return &simdriver::QueryInterface; }
};

// What the card-file description promises about any card it produces.
void CheckLimits(const simdriver::SimCard& card) {
    FUZZ_REQUIRE(card.gpus.size() <= simdriver::kMaxSimGpus);
    for (const auto& group : card.groups)
        for (uint32_t member : group) FUZZ_REQUIRE(member <= simdriver::kMaxGroupMember);
    for (const auto& failure : card.failures)
        FUZZ_REQUIRE(simdriver::IsSimFunctionName(failure.first) && failure.second != 0);
    FUZZ_REQUIRE(!card.clockTestSupported || (std::isfinite(card.clockTestFactor) && card.clockTestFactor >= 1.0));
    for (const simdriver::SimGpu& gpu : card.gpus) {
        FUZZ_REQUIRE(gpu.coolers.size() <= simdriver::kMaxSimCoolers && gpu.sensors <= simdriver::kMaxSimSensors);
        for (const auto& level : gpu.levels) FUZZ_REQUIRE(level.second.size() <= simdriver::kMaxSimDomains);
        for (const auto& cooler : gpu.coolers) FUZZ_REQUIRE(cooler.level <= 100);
    }
}

void CheckTemperatures() {
    for (const simdriver::SimGpu& gpu : simdriver::Card().gpus) {
        const int32_t celsius = simdriver::SimTemperature(gpu);
        FUZZ_REQUIRE(celsius >= -273 && celsius <= 1000);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t ignored = 0;
    simdriver::SimCard card = simdriver::ParseCard(text, &ignored);
    CheckLimits(card);
    FUZZ_REQUIRE(card.clockTestFlipChance >= 0.0 && card.clockTestFlipChance <= 1.0);
    // A crash clock would end the fuzzer itself, a delay only slow it down.
    card.clockTestCrashCoreKhz.reset();
    card.clockTestDelayMs = 0;
    simdriver::Load(card);
    CheckTemperatures();

    CGpuControl gpu(std::make_unique<CLinkedSimDriver>());
    try {
        gpu.Bind();
    } catch (const DriverBindError&) {
        return 0;
    }
    CCard simCard(gpu);
    uint16_t vendor = 0, device = 0;
    simCard.Identify(vendor, device);
    CardClocks clocks;
    simCard.DefaultClocks(clocks);
    simCard.Apply(CardClocks{clocks.core * 1.1, clocks.memory * 1.1, clocks.shader}, 70);
    CheckTemperatures();
    FUZZ_REQUIRE(simCard.HottestTemperature() <= 1000);
    simCard.ReadFan();
    int passed = -1;
    if (simCard.TestClocks(CardClocks{clocks.core * 1.3, clocks.memory, clocks.shader}, passed))
        FUZZ_REQUIRE(passed == 0 || passed == 1);
    simCard.Apply(std::nullopt, 110);
    simCard.Reset();
    simCard.CurrentClocks(clocks);
    CheckTemperatures();
    return 0;
}
