// The dialog reading the card: the temperature poll, the refresh of sliders and labels, and the fan
// setting put back after a suspend.
#include "gpu/GpuControl.h"
#include "res/resource.h"
#include "tests/win/support/GdiCanvas.h"
#include "tests/win/support/MainDialogFixture.h"
#include "tests/win/support/SkinPixels.h"

#include <memory>

namespace {

using MainDialogPoll = MainDialogFixture;

size_t ThermalReads(const DriverJournal& journal, size_t since) {
    return journal.Calls("NvAPI_GPU_GetThermalSettings", since).size();
}

TEST_F(MainDialogPoll, TheHottestGpuOfTheGroupIsShownAndFillsTheGauge) {
    // thermal 0 0: the temperatures stay exactly as described whatever the clocks do.
    Open("gpus 2\ngroup 0 1\nthermal 0 0\ngpu 0\ntemp 61\ngpu 1\ntemp 67\n");
    size_t mark = MarkThenSend(WM_TIMER, COskaraDlg::kPollTimer);
    EXPECT_EQ(ThermalReads(journal, mark), 2u);
    EXPECT_EQ(Text(IDC_TEMPERATURE), L"67");

    // 67 degrees fill the bottom 66 of the gauge's 119 rows: the slot's rows 148 to 213.
    UpdateWindow(dlg->m_hWnd);
    GdiCanvas gauge(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_GAUGE), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(gauge.valid());
    EXPECT_EQ(WindowPixel(dlg->m_hWnd, 552, 213), gauge.Pixel(37, 118));
    EXPECT_EQ(WindowPixel(dlg->m_hWnd, 552, 148), gauge.Pixel(37, 53));
    const std::unique_ptr<GdiCanvas> skin(NewResourceCanvas(IDB_SKIN));
    ASSERT_TRUE(skin->valid());
    EXPECT_NE(WindowPixel(dlg->m_hWnd, 552, 148), skin->Pixel(552, 148));
    EXPECT_EQ(WindowPixel(dlg->m_hWnd, 552, 147), skin->Pixel(552, 147));  // the empty slot above it

    // The hottest not last, a sensor below zero that must not read as a huge number, and a
    // reading above the gauge's 120 degrees that fills it and no more.
    Open("gpus 3\ngroup 0 1 2\nthermal 0 0\ngpu 0\ntemp 58\ngpu 1\ntemp 200\ngpu 2\ntemp -5\n");
    Send(WM_TIMER, COskaraDlg::kPollTimer);
    EXPECT_EQ(Text(IDC_TEMPERATURE), L"200");
    UpdateWindow(dlg->m_hWnd);
    EXPECT_EQ(WindowPixel(dlg->m_hWnd, 552, 95), gauge.Pixel(37, 0));
    EXPECT_EQ(WindowPixel(dlg->m_hWnd, 552, 94), skin->Pixel(552, 94));
}

TEST_F(MainDialogPoll, OnlyTimer99Polls) {
    Open("thermal 0 0\ntemp 58\n");
    // The first tick the dialog posted itself is still queued: nothing has polled yet.
    const std::wstring before = Text(IDC_TEMPERATURE);
    ASSERT_NE(before, L"58");
    const size_t mark = journal.Mark();
    for (WPARAM id : {WPARAM(0), WPARAM(1), WPARAM(98), WPARAM(100), WPARAM(99 + 0x10000)})
        Send(WM_TIMER, id);
    EXPECT_EQ(ThermalReads(journal, mark), 0u);
    EXPECT_EQ(Text(IDC_TEMPERATURE), before);

    Send(WM_TIMER, COskaraDlg::kPollTimer);
    EXPECT_EQ(ThermalReads(journal, mark), 1u);
    EXPECT_EQ(Text(IDC_TEMPERATURE), L"58");
}

TEST_F(MainDialogPoll, TheTrayTipShowsTheReadingsAndIsGivenOnlyWhenItChanges) {
    Open("thermal 0 0\ntemp 55\n");
    Send(WM_TIMER, COskaraDlg::kPollTimer);
    Send(WM_TIMER, COskaraDlg::kPollTimer);
    Slide(IDC_FAN_SLIDER, 70);
    Command(IDC_APPLY);
    Send(WM_TIMER, COskaraDlg::kPollTimer);
    EXPECT_EQ(host.trayTips, (std::vector<std::wstring>{L"BRENMAR Oskara - 55 \u00B0C, 700/2000/1400 MHz, fan Auto",
                                                        L"BRENMAR Oskara - 55 \u00B0C, 700/2000/1400 MHz, fan 70 %"}));
}

TEST_F(MainDialogPoll, ARefreshTakesTheHighestFanOfTheGroupAndDisablesAMissingShaderClock) {
    // No shader domain; every GPU's fan fixed, the fastest neither first nor last.
    Open("gpus 3\ngroup 0 1 2\npci 10DE 0402\n"
         "level 1 0:300000 4:100000\nlevel 2 0:450000 4:500000\nlevel 3 0:700000 4:1000000\n"
         "gpu 0\ncooler 0 30 2 1\ngpu 1\ncooler 0 45 2 1\ngpu 2\ncooler 0 35 2 1\n");
    EXPECT_FALSE(dlg->Card().HasShaderClock());
    EXPECT_EQ(Pos(IDC_SHADER_SLIDER), 0);
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_SHADER_SLIDER)));
    EXPECT_EQ(Text(IDC_SHADER_VALUE), L"N/A");
    EXPECT_EQ(Text(IDC_CORE_VALUE), L"700 MHz");
    EXPECT_EQ(Pos(IDC_FAN_SLIDER), 45);
    EXPECT_EQ(Text(IDC_FAN_VALUE), L"45 %");

    // Another program changes the card; activation picks it up.
    {
        CGpuControl other;
        ASSERT_NO_THROW(other.Bind());
        for (uint32_t gpu : {0u, 1u, 2u}) {
            other.SelectGpu(gpu);
            ASSERT_TRUE(other.SetLevelClocks(3, 720, 1000, 0));
        }
        other.SelectGpu(0);
        ASSERT_TRUE(other.SetFanLevel(0, 80));
    }
    Send(WM_ACTIVATE, WA_ACTIVE);
    EXPECT_EQ(Text(IDC_FAN_VALUE), L"80 %");
    EXPECT_EQ(Text(IDC_CORE_VALUE), L"720 MHz");

    // The last GPU of the group under automatic control makes the fan automatic.
    {
        CGpuControl other;
        ASSERT_NO_THROW(other.Bind());
        other.SelectGpu(2);
        ASSERT_TRUE(other.SetFanLevel(-1, 0));
    }
    dlg->UpdateControls();
    EXPECT_EQ(Pos(IDC_FAN_SLIDER), 110);
    EXPECT_EQ(Text(IDC_FAN_VALUE), L"Auto");
}

TEST_F(MainDialogPoll, ResumePutsBackTheFanOfTheLastSuspendOnly) {
    Open("gpus 2\ngroup 0 1\npci 10DE 0402\n");
    Slide(IDC_FAN_SLIDER, 55);
    size_t mark = MarkThenSend(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
    EXPECT_TRUE(journal.Calls("ApplyCoolerLevels", mark).empty());
    EXPECT_EQ(Pos(IDC_FAN_SLIDER), 55);

    Command(IDC_APPLY);  // the card now runs a fixed 55 %
    Slide(IDC_FAN_SLIDER, 30);  // moved but never applied: not what comes back
    mark = MarkThenSend(WM_POWERBROADCAST, PBT_APMSUSPEND);
    Slide(IDC_FAN_SLIDER, 20);  // moved after the suspend: not what comes back either
    EXPECT_TRUE(journal.Calls("ApplyCoolerLevels", mark).empty());
    Send(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
    // The selected GPU, not the group.
    EXPECT_EQ(Fields(journal.Calls("ApplyCoolerLevels", mark), {"policy", "level"}), (CallRows{{1, 55}}));
    EXPECT_TRUE(journal.ClockWrites(mark).empty());

    // The saved position lasts: a second resume without a suspend restores it again.
    mark = MarkThenSend(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
    EXPECT_EQ(Fields(journal.Calls("ApplyCoolerLevels", mark), {"level"}), (CallRows{{55}}));

    // Other events neither save nor restore.
    Slide(IDC_FAN_SLIDER, 110);
    Command(IDC_APPLY);
    mark = MarkThenSend(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND);
    Send(WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE);
    EXPECT_TRUE(journal.Calls("ApplyCoolerLevels", mark).empty());
    Send(WM_POWERBROADCAST, PBT_APMSUSPEND);
    Send(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
    EXPECT_EQ(Fields(journal.Calls("ApplyCoolerLevels", mark), {"policy"}), (CallRows{{2}}));  // automatic
}

}  // namespace
