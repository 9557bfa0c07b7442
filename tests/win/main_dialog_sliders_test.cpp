// Moving the sliders by scroll messages: ranges that grow as the user pushes against their ends,
// and the shader clock that follows the core clock on the cards that tie them.
#include "res/resource.h"
#include "tests/win/support/MainDialogFixture.h"

namespace {

using MainDialogSliders = MainDialogFixture;

TEST_F(MainDialogSliders, PushingAgainstAnEndGrowsTheRangeAStepAtATime) {
    Open("pci 10DE 0402\n");  // default 700 / 1000 (shown 2000) / 1400 MHz, no coupling
    ASSERT_EQ(RangeMin(IDC_CORE_SLIDER), 350);
    ASSERT_EQ(RangeMax(IDC_CORE_SLIDER), 931);

    // {slid to, then min, max, position}: 0.95 x 931 is 884.45; 1135 is above 0.95 x 1194 again,
    // but 1.35 x 1135 is past 2 x 700; resting on the minimum lowers it.
    const std::array<int, 4> steps[] = {
        {884, 350, 931, 884}, {885, 350, 1194, 885}, {1135, 350, 1400, 1135}, {350, 262, 1400, 350}, {262, 196, 1400, 262}};
    for (const auto& [to, min, max, pos] : steps) {
        Slide(IDC_CORE_SLIDER, to);
        EXPECT_EQ(SliderState(IDC_CORE_SLIDER), (std::array<int, 3>{min, max, pos})) << to;
        EXPECT_EQ(Text(IDC_CORE_VALUE), std::to_wstring(pos) + L" MHz") << to;
    }
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_CORE_SLIDER)));

    Slide(IDC_MEMORY_SLIDER, 2600);
    EXPECT_EQ(RangeMax(IDC_MEMORY_SLIDER), 3510);
    EXPECT_EQ(Text(IDC_MEMORY_VALUE), L"2600 MHz");
    Slide(IDC_SHADER_SLIDER, 1770);  // 0.95 x 1862 is 1768.9
    EXPECT_EQ(RangeMax(IDC_SHADER_SLIDER), 2389);
    EXPECT_EQ(RangeMax(IDC_CORE_SLIDER), 1400);  // only the moved slider grows
    EXPECT_EQ(Pos(IDC_CORE_SLIDER), 262);        // and this card does not tie core to shader
    Command(IDC_RESET);
    EXPECT_EQ((std::pair{RangeMin(IDC_CORE_SLIDER), RangeMax(IDC_CORE_SLIDER)}), (std::pair{350, 931}));

    // The fan's range is fixed: 110 is automatic, not a limit to push.
    Slide(IDC_FAN_SLIDER, 110);
    EXPECT_EQ(RangeMax(IDC_FAN_SLIDER), 110);
    Slide(IDC_FAN_SLIDER, 101);
    EXPECT_EQ(Text(IDC_FAN_VALUE), L"Auto");
    Slide(IDC_FAN_SLIDER, 0);
    EXPECT_EQ(RangeMin(IDC_FAN_SLIDER), 0);
    EXPECT_EQ(Text(IDC_FAN_VALUE), L"0 %");
}

TEST_F(MainDialogSliders, CoreAndShaderMoveTogetherOnTheTiedCardsOnly) {
    Open("pci 10DE 06C0\n");
    Slide(IDC_CORE_SLIDER, 701);
    EXPECT_EQ(Pos(IDC_SHADER_SLIDER), 1402);
    EXPECT_EQ(Text(IDC_CORE_VALUE), L"701 MHz");
    EXPECT_EQ(Text(IDC_SHADER_VALUE), L"1402 MHz");
    Slide(IDC_CORE_SLIDER, 931);
    Slide(IDC_CORE_SLIDER, 1256);  // the shader's range grows with the core's
    EXPECT_EQ(Pos(IDC_SHADER_SLIDER), 2512);
    Slide(IDC_SHADER_SLIDER, 1401);
    EXPECT_EQ(Pos(IDC_CORE_SLIDER), 700);
    EXPECT_EQ(Text(IDC_CORE_VALUE), L"700 MHz");
    Slide(IDC_MEMORY_SLIDER, 2100);
    EXPECT_EQ(Pos(IDC_CORE_SLIDER), 700);
    EXPECT_EQ(Pos(IDC_SHADER_SLIDER), 1401);

    Open("pci 10DE 06C8\n");
    Slide(IDC_CORE_SLIDER, 650);
    EXPECT_EQ(Pos(IDC_SHADER_SLIDER), 1300);
}

TEST_F(MainDialogSliders, ASliderNeverShowsLessThanTheCardRunsOrAProfileAsks) {
    // The top level runs 1000 MHz on a 700 MHz default: above the default range's 931.
    Open("pci 10DE 0402\nlevel 1 0:300000 4:100000 7:600000\nlevel 2 0:450000 4:500000 7:900000\n"
         "level 3 0:700000:1000000 4:1000000 7:1400000\n");
    EXPECT_EQ(Text(IDC_CORE_VALUE), L"1000 MHz");
    EXPECT_EQ(RangeMax(IDC_CORE_SLIDER), 1350);
    size_t mark = journal.Mark();
    Slide(IDC_FAN_SLIDER, 60);  // only the fan changes
    Command(IDC_APPLY);
    EXPECT_EQ(Fields(journal.ClockWrites(mark), {"core_khz"}), (CallRows{{1000000}}));

    // A profile's clocks set from outside the window, below and above the default range.
    Open("pci 10DE 0402\n");
    dlg->SetClockSlider(COskaraDlg::ClockSlider::Core, 1000);
    dlg->SetClockSlider(COskaraDlg::ClockSlider::Memory, 800);  // shown units; minimum was 1000
    EXPECT_EQ(RangeMin(IDC_MEMORY_SLIDER), 600);
    mark = MarkThenCommand(IDC_APPLY);
    EXPECT_EQ(Fields(journal.ClockWrites(mark), {"core_khz", "memory_khz"}), (CallRows{{1000000, 400000}}));
}

TEST_F(MainDialogSliders, TheKeyboardKeepsASliderWhoseRangeGrew) {
    Open("pci 10DE 0402\n");
    HWND core = Item(IDC_CORE_SLIDER);
    SetFocus(core);
    ASSERT_EQ(GetFocus(), core);
    Slide(IDC_CORE_SLIDER, 885);  // past 95 % of 931: the maximum grows
    ASSERT_EQ(RangeMax(IDC_CORE_SLIDER), 1194);
    EXPECT_EQ(GetFocus(), core);
    Slide(IDC_CORE_SLIDER, 350);  // on the minimum: it shrinks
    ASSERT_EQ(RangeMin(IDC_CORE_SLIDER), 262);
    EXPECT_EQ(GetFocus(), core);
}

TEST_F(MainDialogSliders, MemoryIsShownAndWrittenWithTheFactorOfOneGpu) {
    // Linked GPUs whose memory types differ, or whose second cannot tell its type: the factor
    // must not follow the GPU selected last.
    for (const char* card : {"gpus 2\ngroup 0 1\npci 10DE 0402\ngpu 0\nmemtype 3\ngpu 1\nmemtype 8\n",
                             "gpus 2\ngroup 0 1\npci 10DE 0402\ngpu 0\nmemtype 8\ngpu 1\nmemtype unreadable\n"}) {
        SCOPED_TRACE(card);
        Open(card);
        const int shown = Pos(IDC_MEMORY_SLIDER);
        for (int apply = 0; apply < 2; ++apply) {
            const size_t mark = MarkThenCommand(IDC_APPLY);
            EXPECT_EQ(Fields(journal.ClockWrites(mark), {"memory_khz"}), (CallRows{{1000000}, {1000000}})) << apply;
            EXPECT_EQ(Pos(IDC_MEMORY_SLIDER), shown);
        }
    }
}

TEST_F(MainDialogSliders, OnlyAClickRunsAButton) {
    Open("pci 10DE 0402\n");
    const size_t mark = MarkThenSend(WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(Item(IDC_APPLY)));
    Send(WM_COMMAND, MAKEWPARAM(IDC_RESET, BN_SETFOCUS), reinterpret_cast<LPARAM>(Item(IDC_RESET)));
    EXPECT_TRUE(journal.ClockWrites(mark).empty());
    Command(IDC_APPLY);
    EXPECT_EQ(journal.ClockWrites(mark).size(), 1u);
}

}  // namespace
