// The driver failing each of its functions in turn while Apply, Reset and the poll run: the window
// carries on and then shows what the card really runs.
#include <cstdio>

#include "gpu/DriverInterface.h"
#include "gpu/FanPosition.h"
#include "res/resource.h"
#include "tests/win/support/MainDialogFixture.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

// Two linked GPUs at fixed temperatures; GPU 1's fan runs at a fixed 50 %.
constexpr const char* kCard =
    "gpus 2\ngroup 0 1\nthermal 0 0\n"
    "gpu 0\ntemp 61\n"
    "gpu 1\ntemp 67\ncooler 0 50 2 1\n";

class MainDialogFaults : public MainDialogFixture {
protected:
    void SetUp() override {
        MainDialogFixture::SetUp();
        m_faults = WinTest::TempPath(L"oskara-driver-faults.txt");
        SetEnvironmentVariableW(L"OSKARA_SIM_FAULTS", m_faults.c_str());
    }
    void TearDown() override {
        Heal();
        SetEnvironmentVariableW(L"OSKARA_SIM_FAULTS", nullptr);
        MainDialogFixture::TearDown();
    }

    // From now on every call of this driver function fails.
    void Break(const char* fn) {
        FILE* file = _wfopen(m_faults.c_str(), L"wb");
        ASSERT_NE(file, nullptr);
        std::fprintf(file, "fail %s -1\n", fn);
        std::fclose(file);
    }
    void Heal() { DeleteFileW(m_faults.c_str()); }

    // With the driver whole again: the sliders and labels are what the card answers now.
    void ExpectWindowShowsTheCard(const char* after) {
        SCOPED_TRACE(after);
        ASSERT_TRUE(IsWindow(dlg->m_hWnd));
        CardClocks clocks;
        ASSERT_TRUE(dlg->Card().CurrentClocks(clocks));
        EXPECT_EQ(Pos(IDC_CORE_SLIDER), static_cast<int>(clocks.core));
        EXPECT_EQ(Pos(IDC_MEMORY_SLIDER), static_cast<int>(clocks.memory) * dlg->GetMemoryClockFactor());
        EXPECT_EQ(Pos(IDC_SHADER_SLIDER), static_cast<int>(clocks.shader));
        EXPECT_EQ(Text(IDC_CORE_VALUE), std::to_wstring(static_cast<int>(clocks.core)) + L" MHz");
        const CardFan fan = dlg->Card().ReadFan();
        ASSERT_TRUE(fan.known);
        EXPECT_EQ(Pos(IDC_FAN_SLIDER), fan.automatic ? kFanAutomaticPosition : fan.highestPercent);
    }

private:
    std::wstring m_faults;
};

TEST_F(MainDialogFaults, EveryDriverFunctionFailingInTurnLeavesTheWindowShowingTheCard) {
    size_t broken = 0;
    for (const DRIVER_INTERFACE& function : kDriverInterfaces) {
        if (!function.name) continue;
        SCOPED_TRACE(function.name);
        ++broken;
        Open(kCard);
        const size_t mark = journal.Mark();

        Slide(IDC_CORE_SLIDER, 760);
        Slide(IDC_FAN_SLIDER, 70);
        Break(function.name);
        Command(IDC_APPLY);
        Heal();
        ExpectWindowShowsTheCard("Apply");

        Slide(IDC_FAN_SLIDER, 30);
        Break(function.name);
        Command(IDC_RESET);
        Heal();
        ExpectWindowShowsTheCard("Reset");

        Break(function.name);
        Send(WM_TIMER, COskaraDlg::kPollTimer);
        Heal();
        Send(WM_TIMER, COskaraDlg::kPollTimer);
        EXPECT_EQ(Text(IDC_TEMPERATURE), L"67");

        for (const JournalCall& write : journal.ClockWrites(mark)) {
            EXPECT_NE(write.Number("core_khz"), 0);
            EXPECT_NE(write.Number("memory_khz"), 0);
        }
    }
    EXPECT_EQ(broken, 14u);
}

TEST_F(MainDialogFaults, ACoolerNeverReadAndALevelWithoutMemoryApplyOnlyWhatTheCardHas) {
    Break("QueryCoolerSettings");
    Open("level 1 0:700000 7:1400000\n");
    Heal();
    const size_t mark = journal.Mark();
    Command(IDC_APPLY);
    const auto clocks = journal.ClockWrites(mark);
    ASSERT_EQ(clocks.size(), 1u);
    EXPECT_EQ(clocks[0].Number("core_khz"), 700000);
    EXPECT_FALSE(clocks[0].Has("memory_khz"));
    const auto fans = journal.Calls("ApplyCoolerLevels", mark);
    ASSERT_EQ(fans.size(), 1u);
    EXPECT_NE(fans[0].Number("policy"), 1);
    EXPECT_EQ(Setting(Settings::LastFan), 110u);
}

}  // namespace
