// What the main dialog hands to the controller's screen: clocks and fan after each refresh, readings at each poll.
#include "res/resource.h"
#include "tests/win/support/MainDialogFixture.h"

namespace {

using MainDialogController = MainDialogFixture;
using Clocks = std::array<int, 4>;  // core, memory as shown, shader, fan cells
using Readings = std::array<int, 2>;  // temperature cells, fan cells

TEST_F(MainDialogController, EveryRefreshShowsTheClocksAsTheSlidersDoAndTheFanAsBarCells) {
    // Memory type 3: the slider shows the 1000 MHz memory doubled.
    Open("cooler 0 45 2\n");
    ASSERT_FALSE(host.controllerClocks.empty());
    EXPECT_EQ(host.controllerClocks.back(), (Clocks{700, 2000, 1400, 9}));

    Slide(IDC_CORE_SLIDER, 760);
    Slide(IDC_FAN_SLIDER, 70);
    host.controllerClocks.clear();
    Command(IDC_APPLY);
    // This card couples the shader clock to the core clock.
    EXPECT_EQ(host.controllerClocks, (std::vector<Clocks>{{760, 2000, 1520, 14}}));

    host.controllerClocks.clear();
    Command(IDC_RESET);
    EXPECT_EQ(host.controllerClocks, (std::vector<Clocks>{{700, 2000, 1400, 9}}));
}

TEST_F(MainDialogController, ThePollFeedsTheControllerOnlyWhileItFollows) {
    Open("thermal 0 0\ntemp 58\ncooler 0 45 2\n");
    size_t mark = MarkThenSend(WM_TIMER, COskaraDlg::kPollTimer);
    EXPECT_TRUE(host.controllerReadings.empty());
    EXPECT_TRUE(journal.Calls("QueryCoolerSettings", mark).empty()) << "no fan read for nobody";

    host.controllerFollowsPoll = true;
    Send(WM_TIMER, COskaraDlg::kPollTimer);
    EXPECT_EQ(host.controllerReadings, (std::vector<Readings>{{11, 9}}));

    Open("thermal 0 0\ntemp 58\nfail QueryCoolerSettings -1\n");
    host.controllerReadings.clear();
    Send(WM_TIMER, COskaraDlg::kPollTimer);
    EXPECT_EQ(host.controllerReadings, (std::vector<Readings>{{11, -1}}));
}

}  // namespace
