// The simulated driver's answers, state and journal, called directly and through CGpuControl.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include "tests/host/gpu_SimHarness.h"

namespace {

template <typename Fn>
Fn Get(uint32_t id) {
    return reinterpret_cast<Fn>(simdriver::QueryInterface(id));
}

// The top level's core clock as the control reads it; -1 when the read fails.
double CurrentCore(CGpuControl& gpu) {
    double core = -1, memory = 0, shader = 0;
    return gpu.GetLevelCurrentClocks(3, core, memory, shader) ? core : -1;
}

long long MicrosNow() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(now).count();
}

std::vector<std::string> FileLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

// A scratch file path, removed with its owner.
struct CScratchFile {
    std::string path;
    explicit CScratchFile(const char* tag) {
        path = "/tmp/oskara-simtest-" + std::string(tag) + "-" + std::to_string(getpid());
        std::remove(path.c_str());
    }
    ~CScratchFile() { std::remove(path.c_str()); }
};

}  // namespace

TEST(SimDriver, GatesCallsOnInitialisationHandlesAndFailures) {
    simdriver::LoadText("gpus 2\ngpu 1\nfail QueryMemoryType -33");
    DriverHandle gpus[64] = {};
    uint32_t count = 0;
    auto enumerate = Get<EnumPhysicalGpusFn>(0xE5AC921F);
    EXPECT_EQ(enumerate(gpus, &count), simdriver::kStatusNotInitialized);
    ASSERT_EQ(Get<InitializeFn>(0x0150E828)(), 0);
    ASSERT_EQ(enumerate(gpus, &count), 0);
    ASSERT_EQ(count, 2u);
    EXPECT_NE(gpus[0], gpus[1]);

    auto memoryType = Get<QueryMemoryTypeFn>(0x57F7CAAC);
    uint32_t type = 0;
    EXPECT_EQ(memoryType(gpus[0], &type), 0);
    EXPECT_EQ(memoryType(gpus[1], &type), -33);
    EXPECT_EQ(memoryType(reinterpret_cast<DriverHandle>(0x1234), &type), simdriver::kStatusInvalidHandle);
    EXPECT_EQ(memoryType(gpus[0], nullptr), simdriver::kStatusInvalidArgument);
    const auto& calls = simdriver::Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[calls.size() - 2].Json(), "{\"fn\":\"QueryMemoryType\",\"gpu\":null,\"status\":-8}");
    EXPECT_EQ(calls[calls.size() - 3].Json(), "{\"fn\":\"QueryMemoryType\",\"gpu\":1,\"status\":-33}");

    EXPECT_EQ(simdriver::QueryInterface(0x12345678), nullptr);
    simdriver::LoadText("withhold QueryMemoryType 0x0BE17923");
    EXPECT_EQ(simdriver::QueryInterface(0x57F7CAAC), nullptr);
    EXPECT_EQ(simdriver::QueryInterface(0x0BE17923), nullptr);
    EXPECT_NE(simdriver::QueryInterface(0x2DDFB66E), nullptr);
}

TEST(SimDriver, StatePersistsAcrossControlsUntilReloaded) {
    simdriver::LoadText("thermal 0.5 0.25");
    {
        auto first = UnboundControl();
        first->Bind();
        ASSERT_TRUE(first->SetLevelClocks(3, 770, 1000, 1400));  // core 10 % up: +5 degrees
        ASSERT_TRUE(first->SetFanLevel(0, 60));                   // 20 points up: -5 degrees
    }
    auto second = UnboundControl();
    second->Bind();
    EXPECT_EQ(CurrentCore(*second), 770);
    int32_t celsius = 0;
    ASSERT_TRUE(second->GetTemperature(celsius));
    EXPECT_EQ(celsius, 55);
    ASSERT_TRUE(second->SetFanLevel(-1, 0));
    ASSERT_TRUE(second->GetTemperature(celsius));
    EXPECT_EQ(celsius, 60);

    simdriver::LoadText("");
    auto third = UnboundControl();
    third->Bind();
    EXPECT_EQ(CurrentCore(*third), 700);
}

TEST(SimDriver, JournalFileHasOneJsonLinePerCall) {
    CScratchFile journal("journal");
    const long long before = MicrosNow();
    setenv("OSKARA_SIM_JOURNAL", journal.path.c_str(), 1);
    simdriver::LoadText("driver 18000");
    auto gpu = UnboundControl();
    gpu->Bind();
    ASSERT_TRUE(gpu->SetLevelClocks(3, 750, 1100, 0));
    ASSERT_TRUE(gpu->SetFanLevel(0, 45));
    int passed = 0;
    ASSERT_TRUE(gpu->TestLevelClocks(3, 750, 1100, 1500, passed));
    const long long after = MicrosNow();
    unsetenv("OSKARA_SIM_JOURNAL");

    // Every line opens with its wall-clock time, in call order and within the test's span.
    std::vector<std::string> lines;
    long long previous = before;
    for (const std::string& stamped : FileLines(journal.path)) {
        long long micros = 0;
        int length = 0;
        ASSERT_EQ(std::sscanf(stamped.c_str(), "{\"t_us\":%lld,%n", &micros, &length), 1) << stamped;
        ASSERT_GT(length, 0) << stamped;
        EXPECT_GE(micros, previous) << stamped;
        EXPECT_LE(micros, after) << stamped;
        previous = micros;
        lines.push_back("{" + stamped.substr(static_cast<size_t>(length)));
    }
    ASSERT_EQ(lines.size(), simdriver::Calls().size());
    EXPECT_EQ(lines.front(), "{\"fn\":\"NvAPI_Initialize\",\"status\":0}");
    std::vector<std::string> wanted = {
        "{\"fn\":\"ApplyLevelClocks\",\"gpu\":0,\"status\":0,\"level\":3,\"test\":false,"
        "\"core_khz\":750000,\"memory_khz\":1100000}",
        "{\"fn\":\"ApplyCoolerLevels\",\"gpu\":0,\"status\":0,\"target\":7,\"layout\":\"large\","
        "\"level\":45,\"policy\":1}",
        "{\"fn\":\"ApplyLevelClocks\",\"gpu\":0,\"status\":0,\"level\":3,\"test\":true,"
        "\"core_khz\":750000,\"memory_khz\":1100000,\"shader_khz\":1500000,\"passed\":true}"};
    for (const std::string& line : wanted)
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
}

TEST(SimDriver, CardFileFromTheEnvironment) {
    CScratchFile card("card");
    std::ofstream(card.path) << "gpus 2\ngroup 0 1\npci 10DE 0402\n";
    setenv("OSKARA_SIM_CARD", card.path.c_str(), 1);
    simdriver::LoadFromEnvironment();
    EXPECT_EQ(simdriver::Card().gpus.size(), 2u);
    EXPECT_EQ(simdriver::Card().gpus[1].device, 0x0402);

    setenv("OSKARA_SIM_CARD", "/nonexistent/oskara-card", 1);
    simdriver::LoadFromEnvironment();
    EXPECT_EQ(simdriver::Card().gpus.size(), 1u);  // unreadable: the default card
    unsetenv("OSKARA_SIM_CARD");
}

TEST(SimDriver, CoolerLevelsApplyOnlyWhatTheyName) {
    auto gpu = BoundControl("coolers 2\ncooler 1 30 2");
    ASSERT_TRUE(gpu->SetFanLevel(0, 70));
    const auto& coolers = simdriver::Card().gpus[0].coolers;
    EXPECT_EQ(coolers[0].level, 70u);
    EXPECT_EQ(coolers[0].policy, 1u);
    EXPECT_EQ(coolers[1].level, 30u);  // left zero in the request: unchanged
    EXPECT_EQ(coolers[1].policy, 2u);
    EXPECT_FALSE(gpu->SetFanLevel(0, 101));  // beyond 100 % the driver refuses
    EXPECT_EQ(coolers[0].level, 70u);
}

TEST(SimDriver, FaultsFileMakesCallsFailFromWhenItIsWrittenUntilItIsGone) {
    CScratchFile faults("faults");
    ASSERT_EQ(setenv("OSKARA_SIM_FAULTS", faults.path.c_str(), 1), 0);
    auto gpu = BoundControl();
    ASSERT_TRUE(gpu->SetLevelClocks(3, 710, 1000, 1400));

    std::ofstream(faults.path) << "fail ApplyLevelClocks -3\nfail QueryMemoryType\nnonsense\n";
    EXPECT_FALSE(gpu->SetLevelClocks(3, 750, 1000, 1400));
    EXPECT_EQ(LastCall("ApplyLevelClocks")->status, -3);
    uint32_t type = 0;
    EXPECT_TRUE(gpu->GetMemoryType(type));  // a line without a status fails nothing
    EXPECT_EQ(CurrentCore(*gpu), 710);

    std::remove(faults.path.c_str());
    EXPECT_TRUE(gpu->SetLevelClocks(3, 750, 1000, 1400));
    EXPECT_EQ(CurrentCore(*gpu), 750);
    unsetenv("OSKARA_SIM_FAULTS");
}

TEST(SimDriver, ClockTestLimitsTogetherLimitsAndSeededFlips) {
    const std::string limits = "clocktest limits 800 1100 1500\n";
    const std::string together = limits + "clocktest together 760 1050 1450\n";
    const struct {
        std::string card;
        double core, memory, shader;
        bool passes;
    } rows[] = {
        {limits, 800, 1100, 1500, true},  // inclusive
        {limits, 805, 1000, 1400, false},
        {limits, 700, 1110, 1400, false},
        {limits, 700, 1000, 1505, false},
        {limits + "clocktest 2.0", 805, 1000, 1400, false},  // the limits replace the factor
        {together, 780, 1000, 1400, true},  // memory at default: the single limits hold
        {together, 780, 1010, 1410, false},
        {together, 760, 1050, 1450, true},
        {"clocktest together 760 1050 1450\n", 870, 1000, 1400, true},  // the factor rule alone
        {"clocktest limits 800 1100\nclocktest flips 2 1\n", 870, 1000, 1400, true},
        {"clocktest limits 800 1100\nclocktest flips 2 1\n", 880, 1000, 1400, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.card + std::to_string(row.core));
        auto gpu = BoundControl(row.card);
        int passed = -1;
        ASSERT_TRUE(gpu->TestLevelClocks(3, row.core, row.memory, row.shader, passed));
        EXPECT_EQ(passed, row.passes);
    }

    // Near the edge the answers follow the seed; two steps below the limit and lower, never.
    const auto answers = [&](const std::string& flips, double core) {
        auto gpu = BoundControl(limits + flips);
        std::string text;
        for (int i = 0, passed = 0; i < 40 && gpu->TestLevelClocks(3, core, 1000, 1400, passed); ++i)
            text += passed ? '1' : '0';
        return text;
    };
    const std::string seven = answers("clocktest flips 0.5 7", 790);
    EXPECT_EQ(seven, answers("clocktest flips 0.5 7", 790));
    EXPECT_NE(seven, answers("clocktest flips 0.5 8", 790));
    EXPECT_NE(seven.find('0'), std::string::npos);
    EXPECT_NE(seven.find('1'), std::string::npos);
    EXPECT_EQ(answers("clocktest flips 1 7", 789), std::string(40, '1'));
    EXPECT_EQ(answers("clocktest flips 1 7", 800), std::string(40, '0'));
}

TEST(SimDriverDeathTest, ClockTestAtTheCrashClockEndsTheProcess) {
    auto gpu = BoundControl("clocktest crash 750");
    int passed = 0;
    EXPECT_TRUE(gpu->TestLevelClocks(3, 745, 1000, 1400, passed));
    EXPECT_EXIT(gpu->TestLevelClocks(3, 750, 1000, 1400, passed), testing::ExitedWithCode(3), "");
}
