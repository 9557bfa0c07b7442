// The profiles dialog opened by the main window's button and driven inside its own loop: order,
// delete, create, activate, rename in place, the cap and a list changed behind the open dialog.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"
#include "tests/host/ProfileMaker.h"
#include "tests/win/support/DialogFixture.h"

namespace {

using ProfilesDialog = DialogFixture;
using Step = ModalScript::Step;

const wchar_t kTitle[] = L"Profiles";


HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_PROFILES_LIST); }

std::wstring Cell(HWND dialog, int row, int column) {
    wchar_t text[256] = L"";
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(List(dialog), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

std::vector<std::wstring> Names(HWND dialog) {
    std::vector<std::wstring> names;
    const int rows = static_cast<int>(SendMessageW(List(dialog), LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) names.push_back(Cell(dialog, row, 0));
    return names;
}

std::vector<std::wstring> BookNames(const ProfileBook& book) {
    std::vector<std::wstring> names;
    for (const PROFILE& p : book.List()) names.push_back(p.name);
    return names;
}

int SelectedRow(HWND dialog) {
    return static_cast<int>(SendMessageW(List(dialog), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Select(HWND dialog, int row) {
    LVITEMW item{};
    item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(List(dialog), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

HWND LabelEdit(HWND dialog) { return reinterpret_cast<HWND>(SendMessageW(List(dialog), LVM_GETEDITCONTROL, 0, 0)); }

void DoubleClickRow(HWND dialog, int row) {
    RECT rect{};
    rect.left = LVIR_LABEL;
    SendMessageW(List(dialog), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageW(List(dialog), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
}

TEST_F(ProfilesDialog, ListsTheLastProfileOnTopAndDeletingTheTopRowRemovesIt) {
    host.profiles.Replace({MakeProfile(L"A"), MakeProfile(L"B"), MakeProfile(L"C")});
    OpenMain("");
    const ScriptRun run = RunScript(IDC_PROFILES, kTitle, {
        [&](HWND d) {
            EXPECT_EQ(Names(d), (std::vector<std::wstring>{L"C", L"B", L"A"}));
            // Owned by the main window, which cannot be used meanwhile.
            EXPECT_EQ(GetWindow(d, GW_OWNER), dlg->m_hWnd);
            EXPECT_FALSE(IsWindowEnabled(dlg->m_hWnd));
            Select(d, 0);
            ModalScript::Click(d, IDC_PROFILES_DELETE);
        },
        [&](HWND d) {
            EXPECT_EQ(Names(d), (std::vector<std::wstring>{L"B", L"A"}));
            EXPECT_EQ(SelectedRow(d), 0);
            Select(d, 1);
            ModalScript::Click(d, IDC_PROFILES_DELETE);
        },
        [&](HWND d) {
            // The last row had no neighbour below it.
            EXPECT_EQ(Names(d), (std::vector<std::wstring>{L"B"}));
            EXPECT_EQ(SelectedRow(d), -1);
            ModalScript::Click(d, IDOK);
        },
    });
    EXPECT_FALSE(run.forced);
    EXPECT_EQ(BookNames(host.profiles), (std::vector<std::wstring>{L"B"}));
    EXPECT_TRUE(IsWindowEnabled(dlg->m_hWnd));
}

TEST_F(ProfilesDialog, CreateStoresTheRealMemoryClockListsTheShownOneAndOpensItsNameForEditing) {
    host.profiles.Replace({MakeProfile(L"Old")});
    OpenMain("");  // memory type 3: the slider shows twice the real clock
    Slide(IDC_MEMORY_SLIDER, 2001);
    Slide(IDC_CORE_SLIDER, 720);
    RunScript(IDC_PROFILES, kTitle, {
        [&](HWND d) { ModalScript::Click(d, IDC_PROFILES_CREATE); },
        [&](HWND d) {
            ASSERT_EQ(Names(d), (std::vector<std::wstring>{L"New Profile", L"Old"}));
            EXPECT_EQ(Cell(d, 0, 1), L"720");
            EXPECT_EQ(Cell(d, 0, 2), L"2000");
            EXPECT_EQ(Cell(d, 0, 3), L"1440");  // this card's shader follows the core
            EXPECT_EQ(Cell(d, 0, 4), L"Auto");
            // Each heading whole (cut short, it would end in "...") and no horizontal scroll bar.
            const HWND header = reinterpret_cast<HWND>(SendMessageW(List(d), LVM_GETHEADER, 0, 0));
            int column = 0;
            for (const wchar_t* heading : {L"Name", L"Core (MHz)", L"Memory (MHz)", L"Shader (MHz)", L"Fan (%)"}) {
                wchar_t text[64] = L"";
                HDITEMW item{HDI_TEXT | HDI_WIDTH, 0, text, nullptr, 64};
                SendMessageW(header, HDM_GETITEMW, column++, reinterpret_cast<LPARAM>(&item));
                EXPECT_STREQ(text, heading);
                EXPECT_GT(item.cxy, SendMessageW(List(d), LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text))) << text;
            }
            EXPECT_FALSE(GetWindowLongW(List(d), GWL_STYLE) & WS_HSCROLL);
            EXPECT_EQ(SelectedRow(d), 0);
            const HWND edit = LabelEdit(d);
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(GetFocus(), edit);
            ModalScript::PressKey(edit, VK_ESCAPE);
        },
        [&](HWND d) {
            EXPECT_EQ(LabelEdit(d), nullptr);
            EXPECT_EQ(Cell(d, 0, 0), L"New Profile");
            ModalScript::Click(d, IDOK);
        },
    });
    ASSERT_EQ(host.profiles.Count(), 2u);
    EXPECT_EQ(ProfileValues(host.profiles.At(1)), (std::array<int, 4>{720, 1000, 1440, 110}));
}

TEST_F(ProfilesDialog, ActivateWritesTheSelectedGpuOnlyWithAFixedOrAutomaticFan) {
    host.profiles.Replace({MakeProfile(L"Fixed", 650, 950, 1300, 100), MakeProfile(L"Fast", 1000, 1100, 1500, 105),
                           MakeProfile(L"Unread", 0, 0, 0, 50)});
    OpenMain("gpus 2\ngroup 0 1\ncooler 0 40 2\n");
    size_t mark = 0;
    RunScript(IDC_PROFILES, kTitle, {
        [&](HWND d) {
            EXPECT_EQ(Cell(d, 1, 4), L"105 %");
            EXPECT_EQ(Cell(d, 2, 4), L"100 %");
            mark = journal.Mark();
            Select(d, 2);
            ModalScript::Click(d, IDC_PROFILES_ACTIVATE);
        },
        [&](HWND d) {
            EXPECT_EQ(Fields(journal.ClockWrites(mark), {"core_khz", "memory_khz", "shader_khz"}),
                      (CallRows{{650000, 950000, 1300000}}));
            EXPECT_EQ(Fields(journal.Calls("ApplyCoolerLevels", mark), {"policy", "level"}), (CallRows{{1, 100}}));
            mark = journal.Mark();
            Select(d, 1);
            DoubleClickRow(d, 1);
        },
        [&](HWND d) {
            EXPECT_EQ(Fields(journal.ClockWrites(mark), {"core_khz"}), (CallRows{{1000000}}));
            EXPECT_EQ(Fields(journal.Calls("ApplyCoolerLevels", mark), {"policy"}), (CallRows{{2}}));
            // Above the default range, and still as stored.
            EXPECT_EQ(Pos(IDC_CORE_SLIDER), 1000);
            EXPECT_EQ(Pos(IDC_MEMORY_SLIDER), 2200);
            EXPECT_EQ(Pos(IDC_FAN_SLIDER), 110);
            EXPECT_EQ(Text(IDC_CORE_VALUE), L"1000 MHz");
            mark = journal.Mark();
            Select(d, 0);
            ModalScript::Click(d, IDC_PROFILES_ACTIVATE);
        },
        [&](HWND d) {
            // Clocks of 0 never reach the card; the fan does.
            EXPECT_TRUE(journal.ClockWrites(mark).empty());
            EXPECT_EQ(Fields(journal.Calls("ApplyCoolerLevels", mark), {"level"}), (CallRows{{50}}));
            EXPECT_EQ(Pos(IDC_CORE_SLIDER), 1000);
            ModalScript::Click(d, IDOK);
        },
    });
    // Nothing stored; only the crash mark of an overclock on the card.
    for (const std::wstring& write : host.settings.writes) EXPECT_EQ(write, L"|OverclockRunning");
}

TEST_F(ProfilesDialog, ARenameTypedInPlaceIsKeptCutToSixtyThreeOnEnterAndDroppedOnEscape) {
    const std::wstring seventy = std::wstring(60, L'n') + L"0123456789";
    const struct {
        std::wstring typed;
        WPARAM key;
        std::wstring kept;
    } cases[] = {{L"Gone", VK_ESCAPE, L"Short"}, {seventy, VK_RETURN, std::wstring(60, L'n') + L"012"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        host.profiles.Replace({MakeProfile(L"Short")});
        OpenMain("");
        const ScriptRun run = RunScript(IDC_PROFILES, kTitle, {
            [&](HWND d) {
                Select(d, 0);
                ModalScript::Click(d, IDC_PROFILES_RENAME);
            },
            [&](HWND d) {
                const HWND edit = LabelEdit(d);
                ASSERT_NE(edit, nullptr);
                ModalScript::Type(edit, c.typed);
                ModalScript::PressKey(edit, c.key);
            },
            [&](HWND d) {
                EXPECT_EQ(LabelEdit(d), nullptr);
                EXPECT_EQ(Cell(d, 0, 0), c.kept);
                ModalScript::Click(d, IDOK);
            },
        });
        EXPECT_FALSE(run.forced);
        EXPECT_EQ(std::wstring(host.profiles.At(0).name), c.kept);
    }
}

TEST_F(ProfilesDialog, CreateIsRefusedWithAMessageOnAnUnidentifiedCardAndAFullList) {
    ProfileList full;
    for (int i = 0; i < 64; ++i) full.push_back(MakeProfile(std::to_wstring(i).c_str()));
    const struct {
        bool known;
        size_t count;
        const wchar_t* message;
    } cases[] = {{false, 0, L"The card could not be identified, so profiles cannot be kept."},
                 {true, 64, L"The profile list is full (64 profiles). Delete a profile to make room."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        host.profiles.SetCardKnown(c.known);
        if (c.count) host.profiles.Replace(full);
        OpenMain("");
        const ScriptRun run = RunScript(IDC_PROFILES, kTitle, {
            [](HWND d) { ModalScript::Click(d, IDC_PROFILES_CREATE); },
            [&](HWND d) {
                EXPECT_EQ(Names(d).size(), c.count);
                EXPECT_EQ(Cell(d, 0, 0), c.count ? L"63" : L"");
                ModalScript::Click(d, IDOK);
            },
        });
        EXPECT_EQ(host.profiles.Count(), c.count);
        EXPECT_EQ(run.messageBoxes, std::vector<std::wstring>{c.message});
    }
}

TEST_F(ProfilesDialog, ARowOfAListChangedBehindTheDialogOnlyRebuildsTheRows) {
    host.profiles.Replace({MakeProfile(L"A"), MakeProfile(L"B"), MakeProfile(L"C"), MakeProfile(L"D"), MakeProfile(L"E")});
    OpenMain("");
    size_t mark = 0;
    // Another window (the controller's menu) deletes the first profile while a row is selected.
    auto changeBehind = [&](HWND d) {
        Select(d, 0);
        host.profiles.Remove(0);
    };
    RunScript(IDC_PROFILES, kTitle, {
        [&](HWND d) {
            changeBehind(d);
            ModalScript::Click(d, IDC_PROFILES_DELETE);
        },
        [&](HWND d) {
            EXPECT_EQ(BookNames(host.profiles), (std::vector<std::wstring>{L"B", L"C", L"D", L"E"}));
            EXPECT_EQ(Names(d), (std::vector<std::wstring>{L"E", L"D", L"C", L"B"}));
            changeBehind(d);
            mark = journal.Mark();
            ModalScript::Click(d, IDC_PROFILES_ACTIVATE);
        },
        [&](HWND d) {
            EXPECT_TRUE(journal.ClockWrites(mark).empty());
            EXPECT_TRUE(journal.Calls("ApplyCoolerLevels", mark).empty());
            EXPECT_EQ(Names(d), (std::vector<std::wstring>{L"E", L"D", L"C"}));
            changeBehind(d);
            ModalScript::Click(d, IDC_PROFILES_RENAME);
        },
        [&](HWND d) {
            EXPECT_EQ(LabelEdit(d), nullptr);
            EXPECT_EQ(Names(d), (std::vector<std::wstring>{L"E", L"D"}));
            ModalScript::Click(d, IDOK);
        },
    });
    EXPECT_EQ(BookNames(host.profiles), (std::vector<std::wstring>{L"D", L"E"}));
}

}  // namespace
