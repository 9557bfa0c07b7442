// The card object over the simulated driver: what reaches each GPU of a linked group.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "gpu/Card.h"
#include "tests/host/gpu_SimHarness.h"

namespace {

// The card as the main window sets it up: bound, then identified.
struct BoundCard {
    explicit BoundCard(const std::string& description) : gpu(BoundControl(description)), card(*gpu) {
        pciKnown = card.Identify(vendor, device);
    }
    std::unique_ptr<CGpuControl> gpu;
    CCard card;
    uint16_t vendor = 0, device = 0;
    bool pciKnown = false;
};

uint32_t CurrentCoreKhz(uint32_t gpu) {
    for (const auto& domain : simdriver::Card().gpus[gpu].levels.at(3))
        if (domain.code == 0) return domain.currentKhz;
    return 0;
}

const simdriver::SimCooler& Cooler(uint32_t gpu) { return simdriver::Card().gpus[gpu].coolers[0]; }

constexpr const char* kLinkedPair = "gpus 2\ngroup 0 1\npci 10DE 0402\n";

}  // namespace

TEST(Card, IdentifiesTheGroupTopLevelAndShaderClock) {
    BoundCard full(kLinkedPair);
    EXPECT_TRUE(full.pciKnown);
    EXPECT_EQ(full.device, 0x0402);
    EXPECT_EQ(full.card.Group(), (std::vector<uint32_t>{0, 1}));
    EXPECT_EQ(full.card.TopLevel(), 3);
    EXPECT_TRUE(full.card.HasShaderClock());

    BoundCard shaderless("level 1 0:300000 4:100000\nlevel 2 0:450000 4:500000\n");
    EXPECT_EQ(shaderless.card.TopLevel(), 2);
    EXPECT_FALSE(shaderless.card.HasShaderClock());

    // A group the driver cannot tell: the first GPU alone.
    for (const char* card : {"gpus 2\ngroup 0 1\nfail NvAPI_GetLogicalGPUFromPhysicalGPU -1\n",
                             "gpus 2\ngroup 0 1\nwithhold NvAPI_GetPhysicalGPUsFromLogicalGPU\n"}) {
        SCOPED_TRACE(card);
        BoundCard lone(card);
        EXPECT_EQ(lone.card.Group(), (std::vector<uint32_t>{0}));
    }

    BoundCard unreadable("fail NvAPI_GPU_GetPCIIdentifiers -1\n");
    EXPECT_FALSE(unreadable.pciKnown);
}

TEST(Card, ApplyWritesEveryGpuAndLeavesOutWhatIsNotGiven) {
    BoundCard bound(kLinkedPair);
    bound.card.Apply(CardClocks{760, 1100, 1500}, 110);
    for (uint32_t gpu : {0u, 1u}) {
        EXPECT_EQ(CurrentCoreKhz(gpu), 760000u) << gpu;
        EXPECT_EQ(Cooler(gpu).policy, simdriver::kAutomaticPolicy) << gpu;
    }

    bound.card.Apply(std::nullopt, 100);  // the fan alone: 100 is a fixed level, not automatic
    for (uint32_t gpu : {0u, 1u}) {
        EXPECT_EQ(CurrentCoreKhz(gpu), 760000u) << gpu;
        EXPECT_EQ(Cooler(gpu).level, 100u) << gpu;
        EXPECT_NE(Cooler(gpu).policy, simdriver::kAutomaticPolicy) << gpu;
    }

    bound.card.Apply(CardClocks{720, 1000, 1400}, std::nullopt);  // the clocks alone
    for (uint32_t gpu : {0u, 1u}) {
        EXPECT_EQ(CurrentCoreKhz(gpu), 720000u) << gpu;
        EXPECT_EQ(Cooler(gpu).level, 100u) << gpu;
    }
}

TEST(Card, ResetSkipsTheClocksOfAGpuWhoseDefaultsCannotBeRead) {
    BoundCard bound(std::string(kLinkedPair) + "gpu 0\ncooler 0 70 2 1\n" +
                    "gpu 1\ncooler 0 70 2 1\nfail QueryLevelClocks -1\n");
    bound.card.Apply(CardClocks{760, 1100, 1500}, std::nullopt);
    simdriver::ClearCalls();
    bound.card.Reset();
    std::vector<int> clockWrites;
    for (const auto& call : simdriver::Calls())
        if (call.fn == "ApplyLevelClocks") clockWrites.push_back(call.gpu);
    EXPECT_EQ(clockWrites, std::vector<int>{0});
    EXPECT_EQ(CurrentCoreKhz(0), 700000u);
    EXPECT_EQ(Cooler(0).policy, simdriver::kAutomaticPolicy);
    EXPECT_EQ(Cooler(1).policy, simdriver::kAutomaticPolicy);
}

TEST(Card, ReadsTheHottestGpuAndTheHighestFan) {
    BoundCard bound(std::string(kLinkedPair) +
                    "thermal 0 0\ngpu 0\ntemp 61\ncooler 0 45 2 1\ngpu 1\ntemp 67\ncooler 0 30 2 1\n");
    EXPECT_EQ(bound.card.HottestTemperature(), 67);
    const CardFan fan = bound.card.ReadFan();
    EXPECT_EQ(fan.highestPercent, 45);
    EXPECT_FALSE(fan.automatic);

    bound.card.Apply(std::nullopt, 110);
    EXPECT_TRUE(bound.card.ReadFan().automatic);

    // A failed reading counts as 0, and below-zero readings never win.
    BoundCard failing(std::string(kLinkedPair) +
                      "thermal 0 0\ngpu 0\ntemp -5\ngpu 1\nfail NvAPI_GPU_GetThermalSettings -1\n");
    EXPECT_EQ(failing.card.HottestTemperature(), 0);
}

TEST(Card, LevelCountStopsAtThirtyTwo) {
    // A driver that answers every level number must not keep the count going forever.
    std::string card;
    for (int level = 1; level <= 40; ++level)
        card += "level " + std::to_string(level) + " 0:" + std::to_string(300000 + level * 1000) + "\n";
    BoundCard many(card);
    EXPECT_EQ(many.card.TopLevel(), 32);
    CardClocks defaults;
    ASSERT_TRUE(many.card.DefaultClocks(defaults));
    EXPECT_EQ(defaults.core, 332);
}

TEST(Card, LevelsUncountableAtStartAreCountedAtTheNextClockOperation) {
    const std::string faults = "/tmp/oskara-card-faults-" + std::to_string(::getpid());
    ASSERT_EQ(setenv("OSKARA_SIM_FAULTS", faults.c_str(), 1), 0);
    std::ofstream(faults) << "fail QueryLevelClocks -1\n";
    BoundCard card(kLinkedPair);
    EXPECT_EQ(card.card.TopLevel(), 0);
    CardClocks clocks;
    EXPECT_FALSE(card.card.CurrentClocks(clocks));

    std::remove(faults.c_str());
    ASSERT_TRUE(card.card.CurrentClocks(clocks));
    EXPECT_EQ(card.card.TopLevel(), 3);
    EXPECT_TRUE(card.card.HasShaderClock());
    EXPECT_EQ(clocks.core, 700);
    card.card.Apply(CardClocks{750, 1000, 1400}, std::nullopt);
    EXPECT_EQ(CurrentCoreKhz(0), 750000u);
    EXPECT_EQ(CurrentCoreKhz(1), 750000u);
    unsetenv("OSKARA_SIM_FAULTS");
}
