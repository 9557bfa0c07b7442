// The controller menu's profile screens: create, browse, preview, activate and delete.
#include <gtest/gtest.h>

#include <cwchar>

#include "tavio_menu_harness.h"

namespace {

std::wstring Name(const PROFILE& p) { return std::wstring(p.name, wcsnlen(p.name, 64)); }

struct ThreeProfiles : MenuRig {
    ThreeProfiles() {
        AddProfile(L"Quiet", 500, 900, 1100, 40);
        AddProfile(L"Game", 700, 1000, 1500, 110);
        AddProfile(L"Max", 800, 1100, 1700, 100);
        saves = 0;
    }
};

TEST(TavioMenuProfiles, CreateStoresTheSlidersWithMemoryDividedByTheFactor) {
    MenuRig rig;
    rig.host.factor = 2;
    rig.Taps({M});
    EXPECT_EQ(rig.Labels(), (Labels{L"Back", L"Create", L""}));
    rig.Tap(M);
    ASSERT_EQ(rig.book.Count(), 1u);
    const PROFILE& p = rig.book.At(0);
    EXPECT_EQ(Name(p), L"New Profile");
    EXPECT_EQ(ProfileValues(p), (std::array<int, 4>{600, 900, 1400, 110}));
    EXPECT_EQ(rig.saves, 1);
    EXPECT_EQ(rig.menu.CurrentState(), Menu::ProfileList);
    EXPECT_EQ(rig.Labels(), (Labels{L"Back", L"Create", L"Next"}));
    EXPECT_EQ(rig.LitColumns(), (std::set<int>{15, 62, 107}));
}

TEST(TavioMenuProfiles, CreateStopsAtSixtyFourProfiles) {
    MenuRig rig;
    for (int i = 0; i < 64; ++i) rig.AddProfile(L"P", 600 + i, 900, 1400, 50);
    rig.saves = 0;
    rig.Taps({M, M});
    EXPECT_EQ(rig.book.Count(), 64u);
    EXPECT_EQ(rig.book.At(63).core, 663);
    EXPECT_EQ(rig.saves, 0);
}

TEST(TavioMenuProfiles, CreateOnAnUnidentifiedCardIsRefusedAndSaysSo) {
    MenuRig rig;
    rig.book.SetCardKnown(false);
    rig.Taps({M, M});
    EXPECT_EQ(rig.book.Count(), 0u);
    EXPECT_EQ(rig.host.holds, 1);
}

TEST(TavioMenuProfiles, HoldingCreateMakesOneProfile) {
    MenuRig rig;
    rig.Tap(M);
    rig.menu.OnEvent(M);
    rig.host.Advance(2000);
    rig.menu.OnEvent(Menu::Release);
    EXPECT_EQ(rig.book.Count(), 1u);
}

TEST(TavioMenuProfiles, NextWrapsAroundAndShowsEachNameBeforeTheLabels) {
    ThreeProfiles rig;
    rig.Taps({M, R});
    EXPECT_EQ(rig.menu.Cursor(), 0u);
    EXPECT_EQ(rig.host.holds, 1);
    std::vector<size_t> cursors;
    for (int i = 0; i < 4; ++i) {
        const size_t textsBefore = rig.sink.panel.TextUpdates();
        rig.Tap(R);
        cursors.push_back(rig.menu.Cursor());
        // The name, then the screen with its labels, each a whole text line.
        EXPECT_EQ(rig.sink.panel.TextUpdates(), textsBefore + 3);  // name, labels, release's labels
    }
    EXPECT_EQ(cursors, (std::vector<size_t>{1, 2, 0, 1}));
    EXPECT_EQ(rig.host.holds, 5);
    EXPECT_EQ(rig.menu.CurrentState(), Menu::ProfileView);
    EXPECT_EQ(rig.Labels(), (Labels{L"Back", L"Options", L"Next"}));
}

TEST(TavioMenuProfiles, PreviewShowsTheStoredClocksAndTheFanAsBars) {
    ThreeProfiles rig;
    rig.host.factor = 2;
    rig.Taps({M, R});  // Quiet: fan 40
    EXPECT_TRUE(rig.menu.Previewing());
    EXPECT_EQ(rig.Numbers(), (std::array<int, 3>{500, 900, 1100}));
    EXPECT_EQ(rig.sink.panel.BarLevel(PanelDecoder::Temperature), 0);
    EXPECT_EQ(rig.sink.panel.BarLevel(PanelDecoder::Fan), 8);
    EXPECT_TRUE(rig.sink.panel.Lamp(0));
    EXPECT_FALSE(rig.sink.panel.Lamp(1));

    rig.Tap(R);  // Game: automatic fan
    EXPECT_EQ(rig.sink.panel.Number(PanelDecoder::Core), 700);
    EXPECT_EQ(rig.sink.panel.BarLevel(PanelDecoder::Fan), 6);
    EXPECT_FALSE(rig.sink.panel.Lamp(0));
    rig.Tap(R);  // Max: 100 % fixed
    EXPECT_EQ(rig.sink.panel.BarLevel(PanelDecoder::Fan), 20);
    EXPECT_TRUE(rig.sink.panel.Lamp(0));

    const int polls = rig.host.polls;
    rig.Tap(L);  // back: the preview ends and the window's values return
    EXPECT_FALSE(rig.menu.Previewing());
    EXPECT_EQ(rig.menu.CurrentState(), Menu::ProfileList);
    EXPECT_TRUE(rig.sink.panel.Lamp(0));
    EXPECT_TRUE(rig.sink.panel.Lamp(1));
    EXPECT_EQ(rig.host.polls, polls + 1);
    EXPECT_EQ(rig.host.updates, 1);
    EXPECT_EQ(rig.sink.panel.Number(PanelDecoder::Core), 600);
    EXPECT_EQ(rig.menu.Cursor(), 2u);
    EXPECT_TRUE(rig.sink.panel.Errors().empty());
}

TEST(TavioMenuProfiles, ActivateSetsTheSlidersWithoutClampingAndAppliesTheStoredClocks) {
    ThreeProfiles rig;
    rig.host.factor = 2;
    rig.host.max = {750, 1900, 1600};  // Max's clocks lie beyond these ranges
    rig.Taps({M, R, R, R, M, R});
    EXPECT_EQ(rig.host.setClock, (std::vector<std::pair<Clock, int>>{
                                     {Clock::Core, 800}, {Clock::Memory, 2200}, {Clock::Shader, 1700}}));
    ASSERT_EQ(rig.host.applied.size(), 1u);
    EXPECT_EQ(rig.host.applied[0], (Applied{800, 1100, 1700, 100}));
    EXPECT_EQ(rig.menu.CurrentState(), Menu::MainMenu);
    EXPECT_FALSE(rig.menu.Previewing());
    EXPECT_EQ(rig.sink.panel.Number(PanelDecoder::Memory), 2200);
    EXPECT_EQ(rig.book.Count(), 3u);
}

TEST(TavioMenuProfiles, HeldActivateNeverResetsTheCardAndHeldOptionsNeverDeletes) {
    ThreeProfiles rig;
    rig.Taps({M, R});
    rig.menu.OnEvent(M);  // Options, held: repeats land on Delete in screen 8
    rig.host.Advance(3000);
    rig.menu.OnEvent(Menu::Release);
    EXPECT_EQ(rig.menu.CurrentState(), Menu::ProfileOptions);
    EXPECT_EQ(rig.book.Count(), 3u);
    EXPECT_EQ(rig.saves, 0);

    rig.menu.OnEvent(R);  // Activate, held: repeats land on Defaults in screen 0
    rig.host.Advance(3000);
    rig.menu.OnEvent(Menu::Release);
    EXPECT_EQ(rig.menu.CurrentState(), Menu::MainMenu);
    EXPECT_EQ(rig.host.applied.size(), 1u);
    EXPECT_EQ(rig.host.resets, 0);
}

TEST(TavioMenuProfiles, DeleteRemovesTheBrowsedProfileAndReturnsToTheList) {
    ThreeProfiles rig;
    rig.Taps({M, R, R, M});  // Game, options
    const int polls = rig.host.polls;
    rig.Tap(M);
    ASSERT_EQ(rig.book.Count(), 2u);
    EXPECT_EQ(Name(rig.book.At(0)), L"Quiet");
    EXPECT_EQ(Name(rig.book.At(1)), L"Max");
    EXPECT_EQ(rig.saves, 1);
    EXPECT_EQ(rig.menu.Cursor(), 0u);
    EXPECT_EQ(rig.menu.CurrentState(), Menu::ProfileList);
    EXPECT_FALSE(rig.menu.Previewing());
    EXPECT_EQ(rig.host.polls, polls + 1);
    // The number fields keep the deleted profile's clocks until the window refreshes them.
    EXPECT_EQ(rig.sink.panel.Number(PanelDecoder::Core), 700);

    rig.Taps({R, M, M, R, M, M});
    EXPECT_EQ(rig.book.Count(), 0u);
    EXPECT_EQ(rig.Labels(), (Labels{L"Back", L"Create", L""}));
    rig.Tap(R);
    EXPECT_EQ(rig.menu.CurrentState(), Menu::ProfileList);
}

TEST(TavioMenuProfiles, AListChangedByTheProfilesDialogSendsTheMenuBackToTheList) {
    struct Row {
        const char* change;
        void (*apply)(ProfileBook&);
        uint32_t key;
    };
    const Row rows[] = {
        {"browsed profile removed", [](ProfileBook& b) { b.Remove(2); }, M},
        {"browsed profile removed", [](ProfileBook& b) { b.Remove(2); }, R},
        {"an earlier one removed", [](ProfileBook& b) { b.Remove(0); }, M},
        {"renamed", [](ProfileBook& b) { b.Rename(2, L"Other"); }, L},
        {"all removed", [](ProfileBook& b) { b.Remove(0); b.Remove(0); b.Remove(0); }, R},
    };
    for (const Row& row : rows) {
        for (bool inOptions : {false, true}) {
            SCOPED_TRACE(testing::Message() << row.change << (inOptions ? " in screen 8" : " in screen 7"));
            ThreeProfiles rig;
            rig.Taps({M, R, R, R});
            if (inOptions) rig.Tap(M);
            row.apply(rig.book);
            const size_t count = rig.book.Count();
            rig.Tap(row.key);
            EXPECT_EQ(rig.menu.CurrentState(), Menu::ProfileList);
            EXPECT_EQ(rig.menu.Cursor(), 0u);
            EXPECT_FALSE(rig.menu.Previewing());
            EXPECT_EQ(rig.book.Count(), count);
            EXPECT_TRUE(rig.host.applied.empty());
        }
    }
    // Found out by a redraw, not by a key: the controller coming back.
    ThreeProfiles rig;
    rig.Taps({M, R, R, R});
    rig.book.Remove(2);
    rig.menu.OnRemoved();
    rig.menu.OnConnected();
    EXPECT_EQ(rig.menu.CurrentState(), Menu::ProfileList);
    EXPECT_EQ(rig.Labels(), (Labels{L"Back", L"Create", L"Next"}));
}

}  // namespace
