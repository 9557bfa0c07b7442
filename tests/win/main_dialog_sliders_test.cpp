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

    Slide(IDC_CORE_SLIDER, 884);  // 0.95 x 931 is 884.45
    EXPECT_EQ(RangeMax(IDC_CORE_SLIDER), 931);
    Slide(IDC_CORE_SLIDER, 885);
    EXPECT_EQ(RangeMax(IDC_CORE_SLIDER), 1194);
    EXPECT_EQ(Pos(IDC_CORE_SLIDER), 885);
    EXPECT_EQ(Text(IDC_CORE_VALUE), L"885 MHz");
    Slide(IDC_CORE_SLIDER, 1135);  // above 0.95 x 1194 again
    EXPECT_EQ(RangeMax(IDC_CORE_SLIDER), 1532);
    EXPECT_EQ(Pos(IDC_CORE_SLIDER), 1135);
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_CORE_SLIDER)));

    Slide(IDC_CORE_SLIDER, 350);
    EXPECT_EQ(RangeMin(IDC_CORE_SLIDER), 262);
    EXPECT_EQ(Pos(IDC_CORE_SLIDER), 350);
    Slide(IDC_CORE_SLIDER, 262);
    EXPECT_EQ(RangeMin(IDC_CORE_SLIDER), 196);
    EXPECT_EQ(RangeMax(IDC_CORE_SLIDER), 1532);

    Slide(IDC_MEMORY_SLIDER, 2600);
    EXPECT_EQ(RangeMax(IDC_MEMORY_SLIDER), 3510);
    EXPECT_EQ(Text(IDC_MEMORY_VALUE), L"2600 MHz");
    Slide(IDC_SHADER_SLIDER, 1770);  // 0.95 x 1862 is 1768.9
    EXPECT_EQ(RangeMax(IDC_SHADER_SLIDER), 2389);
    EXPECT_EQ(RangeMax(IDC_CORE_SLIDER), 1532);  // only the moved slider grows
    EXPECT_EQ(Pos(IDC_CORE_SLIDER), 262);        // and this card does not tie core to shader

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

}  // namespace
