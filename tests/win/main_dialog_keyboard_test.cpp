// The main window by keyboard through the application's loop, read as a screen reader reads it:
// Tab order, slider keys, Enter applying, and every control's name, role and value; the other
// modeless windows' keys through the same loop.
#include <oleacc.h>

#include "framework/ComPtr.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "skin/FocusMark.h"
#include "tests/win/support/AccessibleReading.h"
#include "tests/win/support/MainDialogFixture.h"

namespace {

class MainDialogKeyboard : public MainDialogFixture {
protected:
    // As the program's message loop takes a key pressed on the focused control.
    void Key(UINT key, bool shift = false, HWND to = nullptr) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(state);
        for (UINT msg : {WM_KEYDOWN, WM_KEYUP}) {
            MSG m{to ? to : GetFocus(), msg, key, msg == WM_KEYUP ? LPARAM(0xC0000001) : 1};
            if (!app.PreTranslateMessage(m)) {
                TranslateMessage(&m);
                DispatchMessageW(&m);
            }
        }
        state[VK_SHIFT] = 0;
        SetKeyboardState(state);
    }
    void ExpectControls(const std::wstring& core, const std::wstring& shader, const std::wstring& fan) {
        const std::wstring temperature = Text(IDC_TEMPERATURE) + L" \u00B0C";
        const struct {
            int id;
            const wchar_t *name, *value;
            long role;
        } expected[] = {
            {IDC_CORE_SLIDER, L"Core clock", core.c_str(), ROLE_SYSTEM_SLIDER},
            {IDC_MEMORY_SLIDER, L"Memory clock", L"2000 MHz", ROLE_SYSTEM_SLIDER},
            {IDC_SHADER_SLIDER, L"Shader clock", shader.c_str(), ROLE_SYSTEM_SLIDER},
            {IDC_FAN_SLIDER, L"Fan", fan.c_str(), ROLE_SYSTEM_SLIDER},
            {IDC_APPLY, L"Apply", L"", ROLE_SYSTEM_PUSHBUTTON},
            {IDC_RESET, L"Reset", L"", ROLE_SYSTEM_PUSHBUTTON},
            {IDC_PROFILES, L"Profiles", L"", ROLE_SYSTEM_PUSHBUTTON},
            {IDC_OPTIONS, L"Settings", L"", ROLE_SYSTEM_PUSHBUTTON},
            {IDC_MINIMIZE, L"Minimise", L"", ROLE_SYSTEM_PUSHBUTTON},
            {IDC_CLOSE, L"Close", L"", ROLE_SYSTEM_PUSHBUTTON},
            {IDC_TEMPERATURE, L"Temperature", temperature.c_str(), ROLE_SYSTEM_STATICTEXT},
        };
        for (const auto& control : expected) {
            const AccessibleReading seen = ReadAccessible(Item(control.id));
            EXPECT_EQ(seen.name, control.name);
            EXPECT_EQ(seen.value, control.value) << control.name;
            EXPECT_EQ(seen.role, control.role) << control.name;
        }
    }

    CWinApp app{L"OskaraKeyboardTest"};
    const CComScope com;  // the accessibility reads
};

TEST_F(MainDialogKeyboard, TabWalksInReadingOrderKeysMoveTheSlidersAndEnterApplies) {
    Open("");  // 700, 1000 (shown twice) and 1400 MHz, coupled, automatic fan
    ExpectControls(L"700 MHz", L"1400 MHz", L"Auto");
    ASSERT_EQ(GetFocus(), Item(IDC_CORE_SLIDER));
    EXPECT_FALSE(ShowsFocusMark(Item(IDC_CORE_SLIDER)));
    const int order[] = {IDC_MEMORY_SLIDER, IDC_SHADER_SLIDER, IDC_FAN_SLIDER, IDC_PROFILES, IDC_RESET, IDC_APPLY,
                         IDC_MINIMIZE, IDC_CLOSE, IDC_OPTIONS, IDC_CORE_SLIDER};
    for (int id : order) {
        Key(VK_TAB);
        EXPECT_EQ(GetFocus(), Item(id)) << id;
    }
    EXPECT_TRUE(ShowsFocusMark(Item(IDC_CORE_SLIDER)));
    Key(VK_TAB, true);
    EXPECT_EQ(GetFocus(), Item(IDC_OPTIONS));

    SetFocus(Item(IDC_FAN_SLIDER));
    const struct {
        UINT key;
        int pos;
        const wchar_t* label;
    } fanKeys[] = {{VK_HOME, 0, L"0 %"}, {VK_END, 110, L"Auto"}, {VK_HOME, 0, L"0 %"}, {VK_NEXT, 10, L"10 %"},
                   {VK_RIGHT, 11, L"11 %"}};
    for (const auto& step : fanKeys) {
        Key(step.key);
        EXPECT_EQ(Pos(IDC_FAN_SLIDER), step.pos);
        EXPECT_EQ(Text(IDC_FAN_VALUE), step.label);
    }
    SetFocus(Item(IDC_CORE_SLIDER));
    for (UINT key : {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_NEXT, VK_LEFT, VK_PRIOR}) Key(key);
    EXPECT_EQ(Pos(IDC_CORE_SLIDER), 702);

    const size_t mark = journal.Mark();
    Key(VK_RETURN);
    EXPECT_EQ(Fields(journal.ClockWrites(mark), {"core_khz"}), (CallRows{{702000}}));
    EXPECT_EQ(Fields(journal.Calls("ApplyCoolerLevels", mark), {"level"}), (CallRows{{11}}));
    ExpectControls(L"702 MHz", L"1404 MHz", L"11 %");

    // Enter on a focused button presses that button, Space as well.
    SetFocus(Item(IDC_RESET));
    Key(VK_RETURN);
    EXPECT_EQ(Pos(IDC_CORE_SLIDER), 700);
    SetFocus(Item(IDC_MINIMIZE));
    Key(VK_SPACE);
    EXPECT_FALSE(IsWindowVisible(dlg->m_hWnd));
}

TEST_F(MainDialogKeyboard, TheConfirmationAndTheMonitorTakeTheirKeysFromTheLoop) {
    Settings::Write(host.settings, Settings::ConfirmApply, 1);
    for (UINT key : {VK_RETURN, VK_ESCAPE}) {
        Open("");
        Slide(IDC_CORE_SLIDER, 760);
        const size_t mark = MarkThenCommand(IDC_APPLY);
        const HWND question = FindWindowW(L"#32770", L"Keep these clocks?");
        ASSERT_NE(question, nullptr);
        Key(key, false, GetDlgItem(question, IDC_CONFIRM_REVERT));
        EXPECT_FALSE(IsWindow(question)) << key;
        EXPECT_EQ(Fields(journal.ClockWrites(mark), {"core_khz"}), (CallRows{{760000}, {700000}})) << key;
    }
    Command(ID_TRAY_MONITOR);
    const HWND monitor = FindWindowW(nullptr, OSKARA_MONITOR_TITLE);
    ASSERT_NE(monitor, nullptr);
    SetFocus(GetDlgItem(monitor, IDC_MONITOR_SPAN));
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(monitor, IDC_MONITOR_LOG));
    Key(VK_TAB);  // past "Stop log", grey while nothing is logged
    EXPECT_EQ(GetFocus(), GetDlgItem(monitor, IDC_MONITOR_SPAN));
    DestroyWindow(monitor);
}

}  // namespace
