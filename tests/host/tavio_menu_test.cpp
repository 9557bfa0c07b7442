// The controller's menu driven by key events and timers, its screen read back by the emulator.
#include <gtest/gtest.h>

#include "tavio_menu_harness.h"

namespace {

TEST(TavioMenuConnect, ResetsTheScreenLightsTheFixedIndicatorsAndDrawsTheMainMenu) {
    MenuRig rig;
    const std::vector<std::vector<uint8_t>> resetFirst = {{0x00, 0x04, 0x1B, 0x80, 0x57, 0x75},
                                                          {0x00, 0x01, 0x1F},
                                                          {0x00, 0x05, 0x1B, 0x40, 0x02, 0x00, 0x00}};
    EXPECT_EQ(std::vector<std::vector<uint8_t>>(rig.sink.reports.begin(), rig.sink.reports.begin() + 3), resetFirst);
    // Indicators 2, 3, 5, 6, 8, 9, 11, 12, 1, 0, then the edit indicators 4, 7, 10 off.
    const std::vector<std::pair<uint8_t, uint8_t>> writes = {
        {4, 0x20}, {4, 0x30}, {8, 0x40}, {8, 0x60}, {12, 0x80}, {12, 0xC0}, {16, 0x02},
        {17, 0x02}, {0, 0x02}, {0, 0x03}, {4, 0x30}, {8, 0x60}, {12, 0xC0}};
    EXPECT_EQ(rig.sink.panel.SegmentWrites(), writes);
    EXPECT_EQ(rig.sink.panel.TextUpdates(), 1u);
    EXPECT_EQ(rig.sink.reports.size(), 3u + 13u + 7u);
    EXPECT_EQ(rig.Labels(), (Labels{L"Set", L"Profiles", L"Defaults"}));
    EXPECT_EQ(rig.LitColumns(), (std::set<int>{15, 62, 107}));
    EXPECT_EQ(rig.LitLamps(), (std::set<int>{0, 1, 2, 3, 5, 6, 8, 9, 11, 12}));
    EXPECT_TRUE(rig.sink.panel.Errors().empty());
    EXPECT_FALSE(rig.host.Running(Timer::Blink));  // the main menu does not blink
    EXPECT_FALSE(rig.host.Running(Timer::Repeat));
}

TEST(TavioMenuScreens, EveryKeyLeadsToItsScreenWithItsLabelsAndEditIndicators) {
    struct Row {
        std::vector<uint32_t> path;
        Menu::State state;
        Labels labels;
        std::set<int> editLamps;
    };
    const Row rows[] = {
        {{}, Menu::MainMenu, {L"Set", L"Profiles", L"Defaults"}, {}},
        {{L}, Menu::EditCore, {L"Select", L"-", L"+"}, {4}},
        {{L, L}, Menu::EditMemory, {L"Select", L"-", L"+"}, {7}},
        {{L, L, L}, Menu::EditShader, {L"Select", L"-", L"+"}, {10}},
        {{L, L, L, L}, Menu::FanMenu, {L"Select", L"Auto", L"Custom"}, {}},
        {{L, L, L, L, L}, Menu::MainMenu, {L"Set", L"Profiles", L"Defaults"}, {}},
        {{L, L, L, L, R}, Menu::FanCustom, {L"Back", L"-", L"+"}, {}},
        {{L, L, L, L, R, L}, Menu::FanMenu, {L"Select", L"Auto", L"Custom"}, {}},
        {{M}, Menu::ProfileList, {L"Back", L"Create", L""}, {}},
        {{M, R}, Menu::ProfileList, {L"Back", L"Create", L""}, {}},  // nothing to browse
        {{M, L}, Menu::MainMenu, {L"Set", L"Profiles", L"Defaults"}, {}},
        {{M, M}, Menu::ProfileList, {L"Back", L"Create", L"Next"}, {}},
        {{M, M, R}, Menu::ProfileView, {L"Back", L"Options", L"Next"}, {}},
        {{M, M, R, M}, Menu::ProfileOptions, {L"Back", L"Delete", L"Activate"}, {}},
        {{M, M, R, M, L}, Menu::ProfileView, {L"Back", L"Options", L"Next"}, {}},
        {{M, M, R, L}, Menu::ProfileList, {L"Back", L"Create", L"Next"}, {}},
    };
    for (const Row& row : rows) {
        MenuRig rig;
        for (uint32_t key : row.path) rig.Tap(key);
        SCOPED_TRACE(testing::Message() << "path of " << row.path.size() << " keys to state " << int(row.state));
        EXPECT_EQ(rig.menu.CurrentState(), row.state);
        EXPECT_EQ(rig.Labels(), row.labels);
        std::set<int> columns{15, 62};
        if (!row.labels[2].empty()) columns.insert(107);
        EXPECT_EQ(rig.LitColumns(), columns);
        std::set<int> edit;
        for (int id : {4, 7, 10})
            if (rig.sink.panel.Lamp(id)) edit.insert(id);
        EXPECT_EQ(edit, row.editLamps);
        EXPECT_TRUE(rig.sink.panel.Errors().empty());
    }
}

TEST(TavioMenuClocks, AHeldKeyStepsAtOnceAndEveryQuarterSecondUntilReleased) {
    MenuRig rig;
    rig.settings.WriteInt(L"", L"TavioStepSize", 10);
    rig.Tap(L);
    rig.menu.OnEvent(M);
    rig.host.Advance(1000);
    rig.menu.OnEvent(Menu::Release);
    rig.host.Advance(1000);
    ASSERT_EQ(rig.host.applied.size(), 5u);
    EXPECT_EQ(rig.host.applied.back(), (Applied{550, 1800, 1400, 110}));
    EXPECT_EQ(rig.sink.panel.Number(PanelDecoder::Core), 550);
    EXPECT_EQ(rig.menu.CurrentState(), Menu::EditCore);
}

TEST(TavioMenuClocks, StepsUseTheStepSettingAndTheMemoryFactorAndStopAtTheRange) {
    struct Row {
        uint32_t stored;  // 0: absent
        int factor;
        std::vector<uint32_t> path;
        std::array<int, 3> sliders;
    };
    const Row rows[] = {
        {0, 1, {L, R}, {605, 1800, 1400}},
        {1, 1, {L, M}, {599, 1800, 1400}},
        {10, 1, {L, R}, {610, 1800, 1400}},
        {7, 1, {L, R}, {605, 1800, 1400}},          // not offered: taken as 5
        {0xFFFFFFFF, 1, {L, R}, {605, 1800, 1400}},
        {10, 2, {L, L, R}, {600, 1820, 1400}},      // memory steps in slider units
        {10, 4, {L, L, M}, {600, 1760, 1400}},
        {5, 1, {L, L, L, M}, {600, 1800, 1395}},
    };
    for (const Row& row : rows) {
        MenuRig rig;
        if (row.stored) rig.settings.WriteInt(L"", L"TavioStepSize", row.stored);
        rig.host.factor = row.factor;
        rig.Taps(row.path);
        EXPECT_EQ(rig.host.pos, row.sliders) << row.stored << " x" << row.factor;
        EXPECT_EQ(rig.host.applied.size(), 1u);
    }
    MenuRig top;
    top.host.pos[0] = 1198;
    top.Taps({L, R, R});
    EXPECT_EQ(top.host.pos[0], 1200);
    EXPECT_EQ(top.host.applied.back().core, 1200);
}

TEST(TavioMenuFan, AutoSetsAutomaticAndStepsStayWithinZeroToHundred) {
    struct Row {
        int slider;
        bool readable;
        int card;
        uint32_t key;
        int expected;
    };
    const Row rows[] = {
        {110, true, 45, R, 50}, {97, true, 0, R, 100}, {3, true, 0, M, 0},   {110, true, 98, R, 100},
        {110, false, 0, M, 45}, {110, true, 2, M, 0},  {60, true, 0, M, 55}, {110, false, 0, R, 55},
    };
    for (const Row& row : rows) {
        MenuRig rig;
        rig.host.fan = row.slider;
        rig.host.fanReadable = row.readable;
        rig.host.cardFan = row.card;
        rig.Taps({L, L, L, L, R, row.key});
        EXPECT_EQ(rig.host.fan, row.expected) << row.slider << " card " << row.card;
        ASSERT_EQ(rig.host.applied.size(), 1u);
        EXPECT_EQ(rig.host.applied[0].fan, row.expected);
    }
    MenuRig rig;
    rig.host.fan = 40;
    rig.Taps({L, L, L, L, M});
    EXPECT_EQ(rig.host.fan, 110);
    EXPECT_EQ(rig.host.applied.back().fan, 110);
}

TEST(TavioMenuFan, IndicatorZeroBlinksTwiceASecondOnlyInTheFanScreensWithOneTimer) {
    MenuRig rig;
    for (int i = 0; i < 20; ++i) {
        rig.menu.OnRemoved();
        rig.menu.OnConnected();
    }
    EXPECT_EQ(rig.host.starts[static_cast<int>(Timer::Blink)], 0);
    auto lampZeroWrites = [&] {
        size_t count = 0;
        for (const auto& write : rig.sink.panel.SegmentWrites()) count += write.first == 0;
        return count;
    };
    size_t before = lampZeroWrites();
    rig.host.Advance(1000);
    EXPECT_EQ(lampZeroWrites(), before) << "no blinking in the main menu";

    rig.Taps({L, L, L, L});
    before = lampZeroWrites();
    rig.host.Advance(1000);
    EXPECT_EQ(lampZeroWrites(), before + 2);
    const bool shown = rig.sink.panel.Lamp(0);
    rig.host.Advance(500);
    EXPECT_NE(rig.sink.panel.Lamp(0), shown);
    EXPECT_EQ(rig.host.starts[static_cast<int>(Timer::Blink)], 1);

    // Back in the main menu, and with the controller gone, no blink timer runs.
    rig.Taps({L});
    EXPECT_FALSE(rig.host.Running(Timer::Blink));
    rig.Taps({L, L, L, L});
    EXPECT_TRUE(rig.host.Running(Timer::Blink));
    rig.menu.OnRemoved();
    EXPECT_FALSE(rig.host.Running(Timer::Blink));
}

TEST(TavioMenuDefaults, RightInTheMainMenuResetsTheCardOnceEvenWhenHeld) {
    MenuRig rig;
    rig.menu.OnEvent(R);
    rig.host.Advance(2000);
    rig.menu.OnEvent(Menu::Release);
    EXPECT_EQ(rig.host.resets, 1);
    EXPECT_EQ(rig.menu.CurrentState(), Menu::MainMenu);
}

TEST(TavioMenuWalk, HoldingLeftWalksTheSetScreensEveryQuarterSecond) {
    MenuRig rig;
    rig.menu.OnEvent(L);
    std::vector<int> states{rig.menu.CurrentState()};
    for (int i = 0; i < 5; ++i) {
        rig.host.Advance(250);
        states.push_back(rig.menu.CurrentState());
    }
    EXPECT_EQ(states, (std::vector<int>{1, 2, 3, 4, 0, 1}));
    EXPECT_TRUE(rig.host.applied.empty());
}

TEST(TavioMenuRemoval, AKeyHeldWhileTheCableIsPulledStopsStepping) {
    MenuRig rig;
    rig.Tap(L);
    rig.menu.OnEvent(R);
    rig.host.Advance(500);
    ASSERT_EQ(rig.host.applied.size(), 3u);
    rig.menu.OnRemoved();
    rig.menu.OnEvent(R);  // still queued when the removal came
    rig.host.Advance(3000);
    EXPECT_EQ(rig.host.applied.size(), 3u);
    EXPECT_FALSE(rig.host.Running(Timer::Repeat));

    rig.menu.OnConnected();  // back on the screen it was on
    EXPECT_EQ(rig.menu.CurrentState(), Menu::EditCore);
    EXPECT_EQ(rig.Labels(), (Labels{L"Select", L"-", L"+"}));
    rig.host.Advance(3000);
    EXPECT_EQ(rig.host.applied.size(), 3u);
}

TEST(TavioMenuIdle, ReturnsToTheMainMenuOnceFiveSecondsAfterTheLastKey) {
    MenuRig rig;
    rig.settings.WriteInt(L"", L"TavioIdleReturn", 1);
    rig.Taps({M, M, R});  // previewing a new profile
    ASSERT_TRUE(rig.menu.Previewing());
    const int polls = rig.host.polls;
    rig.host.Advance(4999);
    EXPECT_EQ(rig.menu.CurrentState(), Menu::ProfileView);
    rig.host.Advance(1);
    EXPECT_EQ(rig.menu.CurrentState(), Menu::MainMenu);
    EXPECT_FALSE(rig.menu.Previewing());
    EXPECT_EQ(rig.host.updates, 1);
    EXPECT_EQ(rig.host.polls, polls + 1);
    EXPECT_EQ(rig.Labels(), (Labels{L"Set", L"Profiles", L"Defaults"}));
    rig.host.Advance(60000);
    EXPECT_EQ(rig.host.updates, 1) << "the return's own redraw arms nothing";

    rig.Tap(L);
    rig.menu.OnRemoved();
    rig.host.Advance(60000);
    EXPECT_EQ(rig.menu.CurrentState(), Menu::EditCore) << "no return while no controller is connected";

    MenuRig off;
    off.Tap(L);
    off.host.Advance(60000);
    EXPECT_EQ(off.menu.CurrentState(), Menu::EditCore);
    EXPECT_EQ(off.host.updates, 0);
}

TEST(TavioMenuEvents, AnUnknownCodeChangesNothingButRepeatsLikeAKey) {
    MenuRig rig;
    rig.Tap(L);
    rig.menu.OnEvent(7);
    EXPECT_TRUE(rig.host.Running(Timer::Repeat));
    rig.host.Advance(1000);
    EXPECT_EQ(rig.menu.CurrentState(), Menu::EditCore);
    EXPECT_TRUE(rig.host.applied.empty());
    rig.menu.OnEvent(Menu::Release);
    EXPECT_FALSE(rig.host.Running(Timer::Repeat));
}

TEST(TavioMenuWindowGone, TheMenuStillWalksButLeavesTheCardAlone) {
    MenuRig rig;
    rig.AddProfile(L"Fast", 700, 1000, 1500, 40);
    rig.host.window = false;
    rig.Taps({R, L, R, M, L, L, L, R, M, R, L, L});
    rig.Taps({M, M, R, M, R});  // create, browse, activate
    EXPECT_EQ(rig.host.resets, 0);
    EXPECT_TRUE(rig.host.applied.empty());
    EXPECT_TRUE(rig.host.setClock.empty());
    EXPECT_EQ(rig.host.fan, 110);
    EXPECT_EQ(rig.book.Count(), 1u);
    EXPECT_EQ(rig.menu.CurrentState(), Menu::MainMenu);
}

TEST(TavioMenuWindowFeed, TheWindowsClocksAndThePollsReadingsReachTheScreenUnlessAProfileShows) {
    MenuRig rig;
    rig.menu.ShowWindowClocks(760, 2000, 1400, 9);
    EXPECT_EQ(rig.Numbers(), (std::array<int, 3>{760, 2000, 1400}));
    EXPECT_EQ(rig.sink.panel.BarLevel(PanelDecoder::Fan), 9);

    ASSERT_TRUE(rig.menu.FollowsPoll());
    rig.menu.ShowReadings(13, -1);  // the fan could not be read: its bar stays
    EXPECT_EQ(rig.sink.panel.BarLevel(PanelDecoder::Temperature), 13);
    EXPECT_EQ(rig.sink.panel.BarLevel(PanelDecoder::Fan), 9);
    rig.menu.ShowReadings(4, 20);
    EXPECT_EQ(rig.sink.panel.BarLevel(PanelDecoder::Temperature), 4);
    EXPECT_EQ(rig.sink.panel.BarLevel(PanelDecoder::Fan), 20);

    rig.AddProfile(L"Quiet", 500, 900, 1100, 40);
    rig.Taps({M, R});
    EXPECT_FALSE(rig.menu.FollowsPoll());
    rig.menu.ShowReadings(18, 18);
    EXPECT_EQ(rig.sink.panel.BarLevel(PanelDecoder::Temperature), 0);
    EXPECT_EQ(rig.sink.panel.BarLevel(PanelDecoder::Fan), 8);

    rig.menu.OnRemoved();
    EXPECT_FALSE(rig.menu.FollowsPoll());
    const size_t reports = rig.sink.reports.size();
    rig.menu.ShowWindowClocks(800, 2000, 1400, 9);
    EXPECT_EQ(rig.sink.reports.size(), reports);
}

}  // namespace
