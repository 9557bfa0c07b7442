// The options dialog opened by the main window's button and driven inside its own loop: what it
// shows of the stored settings, what OK stores, the startup shortcut, the version label, and the
// memory slider reset that follows whatever the result.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <commctrl.h>

#include <utility>

#include "framework/ComPtr.h"
#include "res/resource.h"
#include "tests/win/support/DialogFixture.h"
#include "ui/StartupShortcut.h"

namespace {

using OptionsDialog = DialogFixture;

const wchar_t kTitle[] = L"Settings";

bool WasWritten(const MemorySettingsStore& settings, const IntSetting& setting) {
    for (const std::wstring& write : settings.writes)
        if (write == std::wstring(L"|") + setting.name) return true;
    return false;
}

struct LinkFields {
    std::wstring path, arguments, folder;
};

LinkFields ReadLink(const std::wstring& file) {
    LinkFields fields;
    CComScope com;
    CComPtr<IShellLinkW> link;
    CComPtr<IPersistFile> persist;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.ReceiveVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, persist.ReceiveVoid())) ||
        FAILED(persist->Load(file.c_str(), STGM_READ)))
        return fields;
    wchar_t text[MAX_PATH] = L"";
    if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) fields.path = text;
    if (SUCCEEDED(link->GetArguments(text, MAX_PATH))) fields.arguments = text;
    if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) fields.folder = text;
    return fields;
}

std::wstring ProgramPath() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

TEST_F(OptionsDialog, TheStepSizeShowsOnlyItsThreeValuesAndOkWritesFiveForAnyOther) {
    struct Case {
        bool stored;
        uint32_t value;
        const wchar_t* shown;
        uint32_t written;
    } cases[] = {{false, 0, L"5 MHz", 5}, {true, 2, L"", 5}, {true, 10, L"10 MHz", 10}, {true, 1, L"1 MHz", 1}};
    OpenMain("");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        host.settings.sections.clear();
        if (c.stored) Settings::Write(host.settings, Settings::TavioStepSize, c.value);
        std::wstring shown = L"<not run>";
        int items = 0;
        RunScript(IDC_OPTIONS, kTitle, {[&](HWND d) {
            shown = ControlText(d, IDC_OPTIONS_STEP_SIZE);
            items = static_cast<int>(SendDlgItemMessageW(d, IDC_OPTIONS_STEP_SIZE, CB_GETCOUNT, 0, 0));
            ModalScript::Click(d, IDOK);
        }});
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(items, 3);
        EXPECT_EQ(Setting(Settings::TavioStepSize), c.written);
    }
}

TEST_F(OptionsDialog, UncheckingStartWithWindowsKeepsTheRestoreCheckAndDeletesTheShortcut) {
    ASSERT_TRUE(StartupShortcut::Create(false));
    Settings::Write(host.settings, Settings::RestoreOC, 1);
    OpenMain("");
    RunScript(IDC_OPTIONS, kTitle, {
        [&](HWND d) {
            EXPECT_TRUE(Checked(d, IDC_OPTIONS_START_WITH_WINDOWS));
            EXPECT_TRUE(Enabled(d, IDC_OPTIONS_RESTORE_OC));
            EXPECT_TRUE(Checked(d, IDC_OPTIONS_RESTORE_OC));
            PostMessageW(GetDlgItem(d, IDC_OPTIONS_START_WITH_WINDOWS), BM_CLICK, 0, 0);
        },
        [&](HWND d) {
            EXPECT_FALSE(Checked(d, IDC_OPTIONS_START_WITH_WINDOWS));
            EXPECT_FALSE(Enabled(d, IDC_OPTIONS_RESTORE_OC));
            EXPECT_TRUE(Checked(d, IDC_OPTIONS_RESTORE_OC));
            ModalScript::Click(d, IDOK);
        },
    });
    EXPECT_EQ(Setting(Settings::RestoreOC), 1u);
    EXPECT_FALSE(StartupShortcut::Exists(false));
}

TEST_F(OptionsDialog, EscapeAfterChangesStoresNothing) {
    OpenMain("");
    host.settings.writes.clear();
    const ScriptRun script = RunScript(IDC_OPTIONS, kTitle, {
        [&](HWND d) { PostMessageW(GetDlgItem(d, IDC_OPTIONS_START_WITH_WINDOWS), BM_CLICK, 0, 0); },
        [&](HWND d) { PostMessageW(GetDlgItem(d, IDC_OPTIONS_EFFECTIVE_MEMORY), BM_CLICK, 0, 0); },
        [&](HWND d) {
            ASSERT_TRUE(Checked(d, IDC_OPTIONS_START_WITH_WINDOWS));
            ModalScript::PressKey(GetFocus(), VK_ESCAPE);
        },
    });
    EXPECT_FALSE(script.forced);
    EXPECT_TRUE(host.settings.writes.empty());
    EXPECT_FALSE(StartupShortcut::Exists(false));
}

TEST_F(OptionsDialog, IdleReturnIsDisabledWithoutAControllerYetSavedAndOnlyAOneShowsChecked) {
    Settings::Write(host.settings, Settings::TavioIdleReturn, 1);
    Settings::Write(host.settings, Settings::RestoreOC, 2);
    OpenMain("");
    int restoreState = -1;
    RunScript(IDC_OPTIONS, kTitle, {[&](HWND d) {
        EXPECT_FALSE(Enabled(d, IDC_OPTIONS_TAVIO_IDLE_RETURN));
        EXPECT_TRUE(Checked(d, IDC_OPTIONS_TAVIO_IDLE_RETURN));
        restoreState = static_cast<int>(SendDlgItemMessageW(d, IDC_OPTIONS_RESTORE_OC, BM_GETCHECK, 0, 0));
        EXPECT_TRUE(Checked(d, IDC_OPTIONS_EFFECTIVE_MEMORY));  // absent: shown
        ModalScript::Click(d, IDOK);
    }});
    EXPECT_EQ(restoreState, BST_UNCHECKED);
    EXPECT_EQ(Setting(Settings::TavioIdleReturn), 1u);
    EXPECT_EQ(Setting(Settings::RestoreOC), 0u);
    EXPECT_EQ(Setting(Settings::ShowEffectiveMemClock), 1u);

    host.controllerConnected = true;
    bool enabled = false;
    RunScript(IDC_OPTIONS, kTitle, {[&](HWND d) {
        enabled = Enabled(d, IDC_OPTIONS_TAVIO_IDLE_RETURN);
        ModalScript::Click(d, IDOK);
    }});
    EXPECT_TRUE(enabled);
}

TEST_F(OptionsDialog, StartWithWindowsMakesAShortcutThatStartsThisProgramHidden) {
    ASSERT_FALSE(StartupShortcut::Exists(false));
    OpenMain("");
    std::wstring version;
    RunScript(IDC_OPTIONS, kTitle, {
        [&](HWND d) {
            version = ControlText(d, IDC_OPTIONS_VERSION);
            EXPECT_FALSE(Checked(d, IDC_OPTIONS_START_WITH_WINDOWS));
            EXPECT_FALSE(Enabled(d, IDC_OPTIONS_RESTORE_OC));
            PostMessageW(GetDlgItem(d, IDC_OPTIONS_START_WITH_WINDOWS), BM_CLICK, 0, 0);
        },
        [&](HWND d) {
            EXPECT_TRUE(Enabled(d, IDC_OPTIONS_RESTORE_OC));
            ModalScript::Click(d, IDOK);
        },
    });
    EXPECT_EQ(version, L"Oskara v1.0.1.7");

    const std::wstring file = StartupShortcut::Path(false);
    EXPECT_NE(file.find(L"\\Start Menu\\Programs\\StartUp\\Brenmar Oskara.lnk"), std::wstring::npos) << file;
    ASSERT_TRUE(StartupShortcut::Exists(false));
    const LinkFields link = ReadLink(file);
    const std::wstring program = ProgramPath();
    EXPECT_EQ(link.path, program);
    EXPECT_EQ(link.arguments, L"-s");
    EXPECT_EQ(link.folder, program.substr(0, program.find_last_of(L'\\')));
}

TEST_F(OptionsDialog, EffectiveMemoryOffHalvesTheMemorySliderAndCancelStillResetsIt) {
    OpenMain("");  // memory type 3, real default 1000 MHz
    EXPECT_EQ(SliderState(IDC_MEMORY_SLIDER), (std::array<int, 3>{1000, 2660, 2000}));
    RunScript(IDC_OPTIONS, kTitle, {
        [&](HWND d) { PostMessageW(GetDlgItem(d, IDC_OPTIONS_EFFECTIVE_MEMORY), BM_CLICK, 0, 0); },
        [&](HWND d) { ModalScript::Click(d, IDOK); },
    });
    EXPECT_EQ(Setting(Settings::ShowEffectiveMemClock), 0u);
    EXPECT_EQ(SliderState(IDC_MEMORY_SLIDER), (std::array<int, 3>{500, 1330, 1000}));
    EXPECT_EQ(Text(IDC_MEMORY_VALUE), L"1000 MHz");
    // A drag past the top grows the range; a cancelled dialog still drops that growth.
    Slide(IDC_MEMORY_SLIDER, 1300);
    ASSERT_GT(RangeMax(IDC_MEMORY_SLIDER), 1330);
    host.settings.writes.clear();
    const ScriptRun cancelled = RunScript(IDC_OPTIONS, kTitle, {[&](HWND) { ModalScript::PressKey(GetFocus(), VK_ESCAPE); }});
    EXPECT_FALSE(cancelled.forced);
    EXPECT_EQ(SliderState(IDC_MEMORY_SLIDER), (std::array<int, 3>{500, 1330, 1000}));
    EXPECT_FALSE(WasWritten(host.settings, Settings::ShowEffectiveMemClock));
    EXPECT_FALSE(WasWritten(host.settings, Settings::TavioStepSize));

    // The thumb is where a start in the new units puts it.
    RECT thumb{}, fresh{};
    SendMessageW(Item(IDC_MEMORY_SLIDER), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    OpenMain("");
    SendMessageW(Item(IDC_MEMORY_SLIDER), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&fresh));
    EXPECT_EQ(std::make_pair(thumb.left, thumb.right), std::make_pair(fresh.left, fresh.right));
}

}  // namespace
