// The driver failing each of its functions in turn while Apply, Reset and the poll run: the window
// carries on and then shows what the card really runs.
#include <algorithm>
#include <cstdio>
#include <map>

#include "gpu/DriverInterface.h"
#include "gpu/FanPosition.h"
#include "res/resource.h"
#include "sim/driver/SimCard.h"
#include "tests/win/support/MainDialogFixture.h"
#include "tests/win/support/SimDriverFiles.h"

namespace {

// Two linked GPUs at fixed temperatures; GPU 1's fan runs at a fixed 50 %.
constexpr const char* kCard =
    "gpus 2\ngroup 0 1\nthermal 0 0\n"
    "gpu 0\ntemp 61\n"
    "gpu 1\ntemp 67\ncooler 0 50 2 1\n";
const std::map<uint32_t, std::string> kDomainField = {
    {0, "core_khz"}, {8, "core_khz"}, {4, "memory_khz"}, {9, "memory_khz"}, {7, "shader_khz"}, {10, "shader_khz"}};

class MainDialogFaults : public MainDialogFixture {
protected:
    void TearDown() override {
        Heal();
        MainDialogFixture::TearDown();
    }

    // From now on every call of this driver function fails.
    void Break(const char* fn) { SimDriverFiles::UseFaults(std::string("fail ") + fn + " -1\n"); }
    void Heal() { SimDriverFiles::UseFaults(""); }

    // With the driver whole again: the sliders and labels are what the simulated card runs, its
    // description changed by every write the driver's journal shows as taken.
    void ExpectWindowShowsTheCard(const char* after) {
        SCOPED_TRACE(after);
        ASSERT_TRUE(IsWindow(dlg->m_hWnd));
        simdriver::SimCard card = simdriver::ParseCard(kCard);
        for (const JournalCall& call : journal.Read()) {
            const bool clocks = call.fn == "ApplyLevelClocks" && call.Text("test") == "false";
            if (call.Number("status") != 0 || !(clocks || call.fn == "ApplyCoolerLevels")) continue;
            simdriver::SimGpu& gpu = card.gpus.at(call.Number("gpu"));
            if (clocks) {
                for (simdriver::SimDomain& domain : gpu.levels.at(call.Number("level"))) {
                    const std::string& field = kDomainField.at(domain.code);
                    if (call.Has(field)) domain.currentKhz = call.Number(field);
                }
            } else {
                simdriver::SimCooler& cooler = gpu.coolers.at(0);
                cooler.policy = call.Number("policy");
                cooler.level = cooler.policy == cooler.defaultPolicy ? cooler.defaultLevel : call.Number("level");
            }
        }
        // The default card's top level holds core, memory and shader in that order; its memory
        // type (3) shows twice the clock while effective clocks are shown, as by default.
        const std::vector<simdriver::SimDomain>& top = card.gpus[0].levels.rbegin()->second;
        EXPECT_EQ(Pos(IDC_CORE_SLIDER), static_cast<int>(top[0].currentKhz / 1000));
        EXPECT_EQ(Pos(IDC_MEMORY_SLIDER), 2 * static_cast<int>(top[1].currentKhz / 1000));
        EXPECT_EQ(Pos(IDC_SHADER_SLIDER), static_cast<int>(top[2].currentKhz / 1000));
        EXPECT_EQ(Text(IDC_CORE_VALUE), std::to_wstring(top[0].currentKhz / 1000) + L" MHz");
        bool fixed = false;
        int highest = 0;
        for (const simdriver::SimGpu& gpu : card.gpus) {
            fixed = fixed || gpu.coolers[0].policy == 1;
            highest = std::max(highest, static_cast<int>(gpu.coolers[0].level));
        }
        EXPECT_EQ(Pos(IDC_FAN_SLIDER), fixed ? highest : kFanAutomaticPosition);
    }

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
    const size_t mark = MarkThenCommand(IDC_APPLY);
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
