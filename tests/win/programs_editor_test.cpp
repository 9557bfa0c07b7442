// The programs' list over the registry, driven inside its own loop: rows greyed with why, a rule
// added after a refused name, one edited, one removed, and OK storing the subkey.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"
#include "store/ProfileBook.h"
#include "store/RegistryStore.h"
#include "tests/win/support/ModalScript.h"
#include "ui/programs/ProgramsDlg.h"

namespace {

const std::wstring kRoot = L"Software\\Brenmar\\ProgramsTest";

std::vector<std::wstring> Rows(HWND list) {
    std::vector<std::wstring> rows;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::wstring texts;
        for (int column = 0; column < 3; ++column) {
            wchar_t text[300] = L"";
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = 300;
            SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
            texts += (column ? L"|" : L"") + std::wstring(text);
        }
        rows.push_back(texts);
    }
    return rows;
}

// The rule editor opened over the list, with the program typed and the profile chosen, ended by OK.
ModalScript::Step EnterRule(const wchar_t* program, int profileItem) {
    return [=](HWND) {
        const HWND editor = FindWindowW(nullptr, L"Program rule");
        SetDlgItemTextW(editor, IDC_PROGRAM_RULE_PROGRAM, program);
        SendDlgItemMessageW(editor, IDC_PROGRAM_RULE_PROFILE, CB_SETCURSEL, profileItem, 0);
        ModalScript::Click(editor, IDOK);
    };
}

ModalScript::Step SelectAndClick(int row, int button) {
    return [=](HWND d) {
        LVITEMW item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendDlgItemMessageW(d, IDC_PROGRAMS_LIST, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
        ModalScript::Click(d, button);
    };
}

TEST(ProgramsEditor, RowsAreAddedEditedAndRemovedAndOkStoresThemInTheSubkey) {
    CRegistryStore store;
    store.SetRoot(kRoot);
    store.DeleteSection(L"Programs");
    store.WriteString(L"Programs", L"a.exe", L"Fast");
    store.WriteInt(L"Programs", L"b.exe", 7);
    store.WriteString(L"Programs", L"c.exe", L"Gone");
    ProfileList profiles(2, PROFILE{});
    SetProfileName(profiles[0], L"Fast");
    SetProfileName(profiles[1], L"Quiet");

    std::vector<std::wstring> before, after;
    ModalScript script(L"Programs", {
        [&](HWND d) {
            before = Rows(GetDlgItem(d, IDC_PROGRAMS_LIST));
            ModalScript::Click(d, IDC_PROGRAMS_ADD);
        },
        EnterRule(L"bad|name.exe", 0),
        EnterRule(L" C:/Games/ ", 1),
        SelectAndClick(0, IDC_PROGRAMS_EDIT),
        EnterRule(L"game.exe", 0),
        SelectAndClick(2, IDC_PROGRAMS_REMOVE),
        [&](HWND d) {
            after = Rows(GetDlgItem(d, IDC_PROGRAMS_LIST));
            ModalScript::Click(d, IDOK);
        },
    });
    CProgramsDlg list(store, profiles, nullptr);
    EXPECT_EQ(list.DoModal(), IDOK);
    EXPECT_TRUE(script.AllRan());
    const std::vector<std::wstring> listed{L"a.exe|Fast|", L"b.exe||Its profile is not stored as text.",
                                           L"c.exe|Gone|The card has no profile \"Gone\"."};
    EXPECT_EQ(before, listed);
    const std::vector<std::wstring> edited{L"game.exe|Quiet|", L"b.exe||Its profile is not stored as text.",
                                           L"C:/Games/|Fast|"};
    EXPECT_EQ(after, edited);
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    EXPECT_EQ(script.MessageBoxes()[0], RuleFaultText(RuleFault::BadCharacters));
    EXPECT_EQ(store.EntryCount(L"Programs"), 2u);
    EXPECT_EQ(store.ReadString(L"Programs", L"game.exe", L""), L"Quiet");
    EXPECT_EQ(store.ReadString(L"Programs", L"C:/Games/", L""), L"Fast");
}

}  // namespace
