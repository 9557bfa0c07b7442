// CGpuControl against the simulated driver.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <utility>

#include "tests/host/gpu_SimHarness.h"

using simdriver::CallCount;

namespace {

// Core, memory and shader clocks in MHz.
using Clocks = std::array<double, 3>;

Clocks Defaults(CGpuControl& gpu, int level = 3) {
    Clocks c{};
    EXPECT_TRUE(gpu.GetLevelDefaultClocks(level, c[0], c[1], c[2]));
    return c;
}

Clocks Current(CGpuControl& gpu, int level = 3) {
    Clocks c{};
    EXPECT_TRUE(gpu.GetLevelCurrentClocks(level, c[0], c[1], c[2]));
    return c;
}

// The core, memory and shader fields of the last clock write as sent: "" for a domain left out.
std::array<std::string, 3> SentKhz() {
    const auto* apply = LastCall("ApplyLevelClocks");
    return {apply->Field("core_khz"), apply->Field("memory_khz"), apply->Field("shader_khz")};
}

// Every operation once, each reporting whether it succeeded.
std::vector<std::pair<const char*, std::function<bool(CGpuControl&)>>> AllOperations() {
    return {
        {"GetGroupGpuIndexes", [](CGpuControl& g) { std::vector<uint32_t> l; return g.GetGroupGpuIndexes(l); }},
        {"GetPciIds", [](CGpuControl& g) { uint16_t v, d; return g.GetPciIds(v, d); }},
        {"GetLevelDefaultClocks", [](CGpuControl& g) { double a, b, c; return g.GetLevelDefaultClocks(3, a, b, c); }},
        {"GetLevelCurrentClocks", [](CGpuControl& g) { double a, b, c; return g.GetLevelCurrentClocks(3, a, b, c); }},
        {"SetLevelClocks", [](CGpuControl& g) { return g.SetLevelClocks(3, 700, 1000, 1400); }},
        {"TestLevelClocks", [](CGpuControl& g) { int p; return g.TestLevelClocks(3, 700, 1000, 1400, p); }},
        {"GetFanLevel", [](CGpuControl& g) { int p; return g.GetFanLevel(0, p); }},
        {"SetFanLevel", [](CGpuControl& g) { return g.SetFanLevel(-1, 0); }},
        {"IsFanAutomatic", [](CGpuControl& g) { return g.IsFanAutomatic(); }},
        {"GetThermalSettings", [](CGpuControl& g) { THERMAL_SETTINGS t; return g.GetThermalSettings(&t); }},
        {"GetTemperature", [](CGpuControl& g) { int32_t t; return g.GetTemperature(t); }},
        {"GetMemoryType", [](CGpuControl& g) { uint32_t t; return g.GetMemoryType(t); }},
    };
}

}  // namespace

TEST(GpuBind, CallsInOrderAndReadsTheDriverVersion) {
    simdriver::LoadText("");
    auto gpu = UnboundControl();
    ASSERT_EQ(BindStatus(*gpu), 0u);
    EXPECT_EQ(CalledFunctions(), (std::vector<std::string>{
                                     "NvAPI_Initialize", "NvAPI_EnumPhysicalGPUs",
                                     "NvAPI_EnumNvidiaDisplayHandle", "NvAPI_GetDisplayDriverVersion",
                                     "QueryClockSnapshot"}));
    EXPECT_EQ(LastCall("NvAPI_EnumNvidiaDisplayHandle")->status, 0);
    EXPECT_EQ(gpu->GetDriverVersion(), 18250u);

    for (const char* card : {"driver unreadable", "fail NvAPI_EnumNvidiaDisplayHandle -7",
                             "withhold NvAPI_GetDisplayDriverVersion"}) {
        SCOPED_TRACE(card);
        simdriver::LoadText(card);
        auto other = UnboundControl();
        ASSERT_EQ(BindStatus(*other), 0u);
        EXPECT_EQ(other->GetDriverVersion(), 0u);
    }
}

TEST(GpuBind, FailedOrMissingBindingCallsNothing) {
    const char* cards[] = {"gpus 0", "fail NvAPI_Initialize -1", "fail NvAPI_EnumPhysicalGPUs -1"};
    for (const char* card : cards) {
        SCOPED_TRACE(card);
        simdriver::LoadText(card);
        auto gpu = UnboundControl();
        EXPECT_NE(BindStatus(*gpu), 0u);
        simdriver::ClearCalls();
        for (auto& [name, op] : AllOperations()) EXPECT_FALSE(op(*gpu)) << name;
        EXPECT_EQ(gpu->GetMemoryScale(), 1.0);
        EXPECT_TRUE(simdriver::Calls().empty());
    }

    simdriver::LoadText("");
    auto missing = UnboundControl(false);
    EXPECT_EQ(BindStatus(*missing), 2u);
    auto never = UnboundControl();
    for (CGpuControl* gpu : {missing.get(), never.get()}) {
        for (auto& [name, op] : AllOperations()) EXPECT_FALSE(op(*gpu)) << name;
        THERMAL_SETTINGS record;
        std::memset(&record, 0xAB, sizeof record);
        EXPECT_FALSE(gpu->GetThermalSettings(&record));
        EXPECT_EQ(record.sensor[0].currentTemp, 0);  // a poll that ignores the result reads 0
    }
    EXPECT_FALSE(never->GetThermalSettings(nullptr));
    EXPECT_TRUE(simdriver::Calls().empty());
}

TEST(GpuControl, SelectedIndexBeyondTheHandleArrayCallsNothing) {
    auto gpu = BoundControl("gpus 100");
    gpu->SelectGpu(63);
    uint16_t vendor = 0, device = 0;
    EXPECT_TRUE(gpu->GetPciIds(vendor, device));

    for (uint32_t index : {64u, 255u}) {
        gpu->SelectGpu(index);
        simdriver::ClearCalls();
        for (auto& [name, op] : AllOperations()) EXPECT_FALSE(op(*gpu)) << name;
        EXPECT_TRUE(simdriver::Calls().empty());
    }
    // Stored in 8 bits: 257 is GPU 1.
    gpu->SelectGpu(257);
    EXPECT_TRUE(gpu->GetPciIds(vendor, device));
    EXPECT_EQ(LastCall("NvAPI_GPU_GetPCIIdentifiers")->gpu, 1);
}

TEST(GpuControl, EnumeratesOnceBeforeEveryOperationButTheThree) {
    auto gpu = BoundControl();
    gpu->GetMemoryScale();  // fixes the memory class, which is read once
    for (auto& [name, op] : AllOperations()) {
        simdriver::ClearCalls();
        EXPECT_TRUE(op(*gpu)) << name;
        const bool refreshes = std::string(name) != "TestLevelClocks";
        EXPECT_EQ(CallCount("NvAPI_EnumPhysicalGPUs"), refreshes ? 1u : 0u) << name;
        if (refreshes) {
            EXPECT_EQ(simdriver::Calls().front().fn, "NvAPI_EnumPhysicalGPUs") << name;
        }
    }
    simdriver::ClearCalls();
    gpu->SelectGpu(0);
    EXPECT_EQ(gpu->GetMemoryScale(), 1.0);
    EXPECT_TRUE(simdriver::Calls().empty());
}

TEST(GpuControl, FoldsDomainsLaterEntryWinning) {
    auto gpu = BoundControl("level 3 0:700000 4:1000000 7:1400000 8:750000 9:1100000 10:1450000 5:999000");
    EXPECT_EQ(Defaults(*gpu), (Clocks{750, 1100, 1450}));

    gpu = BoundControl("level 3 8:750000 0:700000 4:1000000");
    EXPECT_EQ(Defaults(*gpu)[0], 700);
    ASSERT_TRUE(gpu->SetLevelClocks(3, 800, 1000, 0));
    for (const auto& domain : simdriver::Card().gpus[0].levels.at(3))
        if (domain.code == 0 || domain.code == 8) {
            EXPECT_EQ(domain.currentKhz, 800000u);
        }
}

TEST(GpuControl, CardWithoutShaderDomain) {
    auto gpu = BoundControl("level 1 0:300000 4:500000\nlevel 2 0:600000 4:900000");
    Clocks c{0, 0, 12345};  // no shader entry: the caller's value stays
    ASSERT_TRUE(gpu->GetLevelDefaultClocks(2, c[0], c[1], c[2]));
    EXPECT_EQ(c, (Clocks{600, 900, 12345}));
    double x = 0;
    EXPECT_FALSE(gpu->GetLevelDefaultClocks(3, x, x, x));  // the level count stops at 2

    ASSERT_TRUE(gpu->SetLevelClocks(2, 650, 950, 0));
    EXPECT_EQ(SentKhz(), (std::array<std::string, 3>{"650000", "950000", ""}));
}

TEST(GpuControl, ShaderZeroLeavesShaderDomainAlone) {
    auto gpu = BoundControl();
    ASSERT_TRUE(gpu->SetLevelClocks(3, 750, 1100, 0));
    EXPECT_EQ(LastCall("ApplyLevelClocks")->Field("shader_khz"), "");
    EXPECT_EQ(Current(*gpu), (Clocks{750, 1100, 1400}));
}

TEST(GpuControl, ConvertsKilohertzByTruncationAndSaturates) {
    auto gpu = BoundControl("level 3 0:700999:701999 4:1000500 7:1400001");
    EXPECT_EQ(Defaults(*gpu), (Clocks{700, 1000, 1400}));
    EXPECT_EQ(Current(*gpu)[0], 701);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double core, memory, shader;
        const char *coreKhz, *memoryKhz, *shaderKhz;
    } cases[] = {
        {700.9999, 1000.0005, 1400.5, "700999", "1000000", "1400500"},
        // A clock that comes to 0 kHz is never sent: its domains stay as the driver has them.
        {1e12, -5, inf, "4294967295", "", "4294967295"},
        {nan, 4294967.295, nan, "", "4294967295", ""},
        {0.0009, 0, 0, "", "", ""},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(gpu->SetLevelClocks(3, c.core, c.memory, c.shader));
        EXPECT_EQ(SentKhz(), (std::array<std::string, 3>{c.coreKhz, c.memoryKhz, c.shaderKhz}));
    }
}

TEST(GpuControl, MemoryScaleByMemoryType) {
    struct Case {
        const char* card;
        double scale;
    } cases[] = {{"memtype 8", 0.5}, {"memtype 7", 1.0}, {"memtype 2", 1.0}, {"memtype 0", 1.0},
                 {"memtype 9", 1.0}, {"memtype unreadable", 1.0}, {"withhold QueryMemoryType", 1.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.card);
        auto gpu = BoundControl(c.card);
        EXPECT_EQ(gpu->GetMemoryScale(), c.scale);
    }

    auto gpu = BoundControl("memtype 8");
    EXPECT_EQ(Defaults(*gpu)[1], 500);
    ASSERT_TRUE(gpu->SetLevelClocks(3, 700, 500, 1400));
    EXPECT_EQ(LastCall("ApplyLevelClocks")->Field("memory_khz"), "1000000");
    EXPECT_EQ(Current(*gpu)[1], 500);
    uint32_t type = 0;
    EXPECT_TRUE(gpu->GetMemoryType(type));
    EXPECT_EQ(type, 8u);

    gpu = BoundControl("memtype unreadable");
    type = 77;
    EXPECT_FALSE(gpu->GetMemoryType(type));
    EXPECT_EQ(type, 77u);
}

TEST(GpuControl, MemoryClassIsFixedAtItsFirstReading) {
    auto gpu = BoundControl("gpus 2\nmemtype 8\ngpu 1\nmemtype 3");
    EXPECT_EQ(gpu->GetMemoryScale(), 0.5);
    gpu->SelectGpu(1);
    EXPECT_EQ(gpu->GetMemoryScale(), 0.5);
    EXPECT_EQ(CallCount("QueryMemoryType"), 1u);
    EXPECT_EQ(Defaults(*gpu)[1], 500);
}

TEST(GpuControl, EntryWithoutDefaultIsNeitherReadNorWritten) {
    auto gpu = BoundControl("level 3 0:700000 4:1000000 0:0:650000 7:0:1300000");
    Clocks d{0, 0, -1};
    ASSERT_TRUE(gpu->GetLevelDefaultClocks(3, d[0], d[1], d[2]));
    EXPECT_EQ(d, (Clocks{700, 1000, -1}));

    ASSERT_TRUE(gpu->SetLevelClocks(3, 800, 1100, 1500));
    const auto sent = simdriver::ReceivedRecord("ApplyLevelClocks");
    EXPECT_EQ(WordAt(sent, 28 + 28 * 2 + 8), 650000u);
    EXPECT_EQ(WordAt(sent, 28 + 28 * 2 + 24), 0u);
    EXPECT_EQ(WordAt(sent, 28 + 28 * 3 + 8), 1300000u);
    EXPECT_EQ(WordAt(sent, 28 + 28 * 3 + 24), 0u);
    EXPECT_EQ(WordAt(sent, 28 + 28 * 0 + 24), 1u);
    EXPECT_EQ(LastCall("ApplyLevelClocks")->Field("shader_khz"), "");
}

TEST(GpuControl, ClockTestSetsTheFlagReadsPassAndChangesNothing) {
    auto gpu = BoundControl("clocktest 1.2");
    ASSERT_TRUE(gpu->SetLevelClocks(3, 710, 1010, 1410));
    int passed = -1;
    ASSERT_TRUE(gpu->TestLevelClocks(3, 800, 1100, 1600, passed));
    EXPECT_EQ(passed, 1);
    EXPECT_EQ(LastCall("ApplyLevelClocks")->Field("test"), "true");
    EXPECT_EQ(WordAt(simdriver::ReceivedRecord("ApplyLevelClocks"), 24), 0x08u);
    EXPECT_EQ(WordAt(simdriver::AnsweredRecord("ApplyLevelClocks"), 24), 0x18u);

    ASSERT_TRUE(gpu->TestLevelClocks(3, 900, 1100, 1600, passed));
    EXPECT_EQ(passed, 0);
    EXPECT_EQ(Current(*gpu), (Clocks{710, 1010, 1410}));

    gpu = BoundControl("clocktest unsupported");
    passed = 7;
    EXPECT_FALSE(gpu->TestLevelClocks(3, 700, 1000, 1400, passed));
    EXPECT_EQ(passed, 7);
    EXPECT_EQ(LastCall("ApplyLevelClocks")->Field("test"), "true");
}

TEST(GpuControl, LevelOperationsFailWithTheirFunctions) {
    for (const char* card : {"fail QueryLevelClocks -1", "withhold QueryLevelClocks"}) {
        SCOPED_TRACE(card);
        auto gpu = BoundControl(card);
        Clocks c{1, 2, 3};
        int passed = 5;
        EXPECT_FALSE(gpu->GetLevelDefaultClocks(3, c[0], c[1], c[2]));
        EXPECT_FALSE(gpu->GetLevelCurrentClocks(3, c[0], c[1], c[2]));
        EXPECT_FALSE(gpu->SetLevelClocks(3, 700, 1000, 1400));
        EXPECT_FALSE(gpu->TestLevelClocks(3, 700, 1000, 1400, passed));
        EXPECT_EQ(c, (Clocks{1, 2, 3}));
        EXPECT_EQ(passed, 5);
        EXPECT_EQ(CallCount("ApplyLevelClocks"), 0u);
    }
    auto gpu = BoundControl("withhold ApplyLevelClocks");
    EXPECT_FALSE(gpu->SetLevelClocks(3, 700, 1000, 1400));
    EXPECT_EQ(CallCount("QueryLevelClocks"), 0u);
    gpu = BoundControl("fail ApplyLevelClocks -1");
    EXPECT_FALSE(gpu->SetLevelClocks(3, 700, 1000, 1400));
}

TEST(GpuControl, FixedAndAutomaticFan) {
    auto gpu = BoundControl("cooler 0 40 32");
    EXPECT_TRUE(gpu->IsFanAutomatic());
    ASSERT_TRUE(gpu->SetFanLevel(0, 45));
    const auto* apply = LastCall("ApplyCoolerLevels");
    EXPECT_EQ(apply->Field("level"), "45");
    EXPECT_EQ(apply->Field("policy"), "1");
    EXPECT_EQ(apply->Field("target"), "7");
    int percent = 0;
    ASSERT_TRUE(gpu->GetFanLevel(0, percent));
    EXPECT_EQ(percent, 45);
    EXPECT_FALSE(gpu->IsFanAutomatic());

    ASSERT_TRUE(gpu->SetFanLevel(-1, 0));
    apply = LastCall("ApplyCoolerLevels");
    EXPECT_EQ(apply->Field("level"), "0");
    EXPECT_EQ(apply->Field("policy"), "32");  // the card's own default policy
    EXPECT_TRUE(gpu->IsFanAutomatic());
    ASSERT_TRUE(gpu->GetFanLevel(0, percent));
    EXPECT_EQ(percent, 40);

    ASSERT_TRUE(gpu->SetFanLevel(3, 70));  // the top level as mode is a fixed level too
    EXPECT_EQ(LastCall("ApplyCoolerLevels")->Field("policy"), "1");
}

TEST(GpuControl, CoolerLayoutFollowsTheDriverVersion) {
    struct Case {
        const char* card;
        const char* layout;
    } cases[] = {{"driver 17999", "small"}, {"driver 18000", "large"}, {"driver unreadable", "small"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.card);
        auto gpu = BoundControl(c.card);
        int percent = 0;
        ASSERT_TRUE(gpu->GetFanLevel(0, percent));
        EXPECT_EQ(percent, 40);
        ASSERT_TRUE(gpu->SetFanLevel(0, 60));
        EXPECT_EQ(LastCall("QueryCoolerSettings")->Field("layout"), std::string("\"") + c.layout + "\"");
        EXPECT_EQ(LastCall("ApplyCoolerLevels")->Field("layout"), std::string("\"") + c.layout + "\"");
    }
}

TEST(GpuControl, FanReadFailuresAndNoCoolers) {
    struct Case {
        const char* card;
        bool automatic;
    } cases[] = {
        {"driver 18000\nfail QueryCoolerSettings -1", true},
        {"driver 17999\nfail QueryCoolerSettings -1", false},
        {"driver 18000\ncoolers 0", true},
        {"driver 17999\ncoolers 0", true},
        {"withhold QueryCoolerSettings", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.card);
        auto gpu = BoundControl(c.card);
        EXPECT_EQ(gpu->IsFanAutomatic(), c.automatic);
        int percent = -3;
        EXPECT_FALSE(gpu->GetFanLevel(0, percent));
        EXPECT_EQ(percent, -3);
        EXPECT_FALSE(gpu->SetFanLevel(0, 50));
        EXPECT_FALSE(gpu->SetFanLevel(-1, 0));
        EXPECT_EQ(CallCount("ApplyCoolerLevels"), 0u);
    }
    auto gpu = BoundControl("fail ApplyCoolerLevels -1");
    EXPECT_FALSE(gpu->SetFanLevel(0, 50));
}

TEST(GpuControl, GroupIndexes) {
    struct Case {
        const char* card;
        uint32_t selected;
        std::vector<uint32_t> expected;
    } cases[] = {
        {"", 0, {0}},
        {"gpus 2\ngroup 0 1", 1, {0, 1}},
        {"gpus 2\ngroup 1 0", 0, {1, 0}},
        {"gpus 3\ngroup 0 2", 1, {1}},
        {"gpus 2\ngroup 0 5 1", 0, {0, 1}},  // 5 is a handle the enumeration never gave
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.card);
        auto gpu = BoundControl(c.card);
        gpu->SelectGpu(c.selected);
        std::vector<uint32_t> list{99, 98};
        ASSERT_TRUE(gpu->GetGroupGpuIndexes(list));
        EXPECT_EQ(list, c.expected);
    }
    for (const char* card : {"fail NvAPI_GetLogicalGPUFromPhysicalGPU -1",
                             "fail NvAPI_GetPhysicalGPUsFromLogicalGPU -1",
                             "withhold NvAPI_GetPhysicalGPUsFromLogicalGPU"}) {
        SCOPED_TRACE(card);
        auto gpu = BoundControl(card);
        std::vector<uint32_t> list{99};
        EXPECT_FALSE(gpu->GetGroupGpuIndexes(list));
        EXPECT_EQ(list, std::vector<uint32_t>{99});
    }
}

TEST(GpuControl, CountsBeyondTheHandleArrayAreClamped) {
    std::string card = "gpus 100\ngroup";
    for (int i = 0; i < 90; ++i) card += " " + std::to_string(i);
    auto gpu = BoundControl(card);
    std::vector<uint32_t> list;
    ASSERT_TRUE(gpu->GetGroupGpuIndexes(list));
    ASSERT_EQ(list.size(), 64u);
    for (uint32_t i = 0; i < 64; ++i) EXPECT_EQ(list[i], i);
}

TEST(GpuControl, PciIdsAndTemperaturePerGpu) {
    auto gpu = BoundControl(
        "gpus 2\ngroup 0 1\nthermal 0 0\npci 10DE 0A20\ngpu 0\ntemp 61\ngpu 1\ntemp -5\npci 1234 5678");
    uint16_t vendor = 0, device = 0;
    ASSERT_TRUE(gpu->GetPciIds(vendor, device));
    EXPECT_EQ(std::make_pair(vendor, device), (std::pair<uint16_t, uint16_t>{0x10DE, 0x0A20}));
    int32_t celsius = 0;
    ASSERT_TRUE(gpu->GetTemperature(celsius));
    EXPECT_EQ(celsius, 61);
    EXPECT_EQ(LastCall("NvAPI_GPU_GetThermalSettings")->Field("sensor"), "15");

    gpu->SelectGpu(1);
    ASSERT_TRUE(gpu->GetPciIds(vendor, device));
    EXPECT_EQ(std::make_pair(vendor, device), (std::pair<uint16_t, uint16_t>{0x1234, 0x5678}));
    ASSERT_TRUE(gpu->GetTemperature(celsius));
    EXPECT_EQ(celsius, -5);
    THERMAL_SETTINGS record;
    ASSERT_TRUE(gpu->GetThermalSettings(&record));
    EXPECT_EQ(record.count, 1u);
    EXPECT_EQ(record.sensor[0].currentTemp, -5);
}

TEST(GpuControl, FailedReadsLeaveOutputsAloneButZeroTheThermalRecord) {
    auto gpu = BoundControl("fail NvAPI_GPU_GetPCIIdentifiers -1\nfail NvAPI_GPU_GetThermalSettings -1");
    uint16_t vendor = 1, device = 2;
    EXPECT_FALSE(gpu->GetPciIds(vendor, device));
    EXPECT_EQ(vendor + device, 3);
    THERMAL_SETTINGS record, zero{};
    std::memset(&record, 0x5A, sizeof record);
    EXPECT_FALSE(gpu->GetThermalSettings(&record));
    EXPECT_EQ(std::memcmp(&record, &zero, sizeof record), 0);
}

TEST(GpuControl, WritesReachOnlyTheSelectedGpu) {
    auto gpu = BoundControl("gpus 2\ngroup 0 1");
    std::vector<uint32_t> group;
    ASSERT_TRUE(gpu->GetGroupGpuIndexes(group));
    for (uint32_t index : group) {
        gpu->SelectGpu(index);
        ASSERT_TRUE(gpu->SetLevelClocks(3, 720 + index, 1000, 1400));
    }
    gpu->SelectGpu(0);
    EXPECT_EQ(Current(*gpu)[0], 720);
    gpu->SelectGpu(1);
    EXPECT_EQ(Current(*gpu)[0], 721);
    ASSERT_TRUE(gpu->SetFanLevel(0, 80));
    EXPECT_EQ(simdriver::Card().gpus[1].coolers[0].level, 80u);
    EXPECT_EQ(simdriver::Card().gpus[0].coolers[0].level, 40u);
}
