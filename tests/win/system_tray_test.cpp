#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/OskaraApp.h"
#include "skin/SystemTray.h"
#include "tests/win/support/WinTestSupport.h"
#include "ui/OskaraDlg.h"

namespace {

constexpr UINT kCallback = 0x800A;
constexpr UINT kId = 136;

struct RecordingOwner : CSystemTray::Owner {
    std::vector<std::pair<WPARAM, LPARAM>> deviceChanges;
    std::vector<WPARAM> events;
    void OnTavioDeviceChange(WPARAM event, LPARAM data) override { deviceChanges.emplace_back(event, data); }
    void OnTavioEvent(WPARAM code) override { events.push_back(code); }
    std::vector<ProfileItem> TrayProfiles() override { return profiles; }
    void OnTrayProfileChosen(size_t index) override { chosen.push_back(index); }
    void OnHotkey(WPARAM) override {}
    LRESULT OnCopyData(const COPYDATASTRUCT&) override { return 0; }
    std::vector<ProfileItem> profiles;
    std::vector<size_t> chosen;
};

struct MainWindow : CWnd {
    bool* freed;
    explicit MainWindow(bool* f) : freed(f) {}
    void PostNcDestroy() override { *freed = true; }
};

class SystemTrayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tray.Install(nullptr, kCallback, L"", LoadIconW(nullptr, IDI_APPLICATION), kId, false, nullptr,
                                 nullptr, 0, 10));
        tray.SetCallbackWindow(&tray);
        tray.SetCommandWindow(&tray);
        ASSERT_TRUE(main.CreateEx(0, L"main", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
        app.m_pMainWnd = &main;
    }
    CWinApp app{L"TrayTest"};
    RecordingOwner owner;
    CSystemTray tray{owner};
    bool mainFreed = false;
    MainWindow main{&mainFreed};
};

TEST_F(SystemTrayTest, ControllerMessagesReachTheOwnerInOrder) {
    tray.SendMessage(WM_USER, 2, 0);
    tray.SendMessage(WM_DEVICECHANGE, 0x8000, 1234);
    tray.PostMessage(WM_USER, 1, 0);
    tray.PostMessage(WM_USER, 0, 0);
    WinTest::Pump();
    EXPECT_EQ(owner.events, (std::vector<WPARAM>{2, 1, 0}));
    ASSERT_EQ(owner.deviceChanges.size(), 1u);
    EXPECT_EQ(owner.deviceChanges[0], (std::pair<WPARAM, LPARAM>{0x8000, 1234}));
}

TEST_F(SystemTrayTest, IconMouseNoticesAnswerByIdAndAClickADoubleClickOrOpenShowsTheMainWindow) {
    EXPECT_EQ(tray.SendMessage(kCallback, kId + 1, WM_LBUTTONDBLCLK), 0);
    EXPECT_EQ(tray.SendMessage(kCallback, kId, WM_MOUSEMOVE), 1);
    WinTest::Pump();
    EXPECT_FALSE(main.IsWindowVisible());

    for (LPARAM click : {WM_LBUTTONUP, WM_LBUTTONDBLCLK}) {
        main.ShowWindow(SW_HIDE);
        EXPECT_EQ(tray.SendMessage(kCallback, kId, click), 1);
        WinTest::Pump();
        EXPECT_TRUE(main.IsWindowVisible()) << click;
    }
    // The Open command does so too; a timer of the same number does not.
    main.ShowWindow(SW_HIDE);
    tray.SendMessage(WM_TIMER, CSystemTray::kOpenCommand, 0);
    EXPECT_FALSE(main.IsWindowVisible());
    tray.SendMessage(WM_COMMAND, CSystemTray::kOpenCommand, 0);
    EXPECT_TRUE(main.IsWindowVisible());
}

TEST_F(SystemTrayTest, ExitCommandFreesTheMainWindowAndPostsQuit) {
    tray.SendMessage(WM_COMMAND, CSystemTray::kExitCommand, 0);
    EXPECT_TRUE(mainFreed);
    EXPECT_EQ(main.m_hWnd, nullptr);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(SystemTrayTest, TaskbarRestartAndWorkAreaChangeAddTheIconAgain) {
    // The notification area knows an icon it can modify.
    NOTIFYICONDATAW shell{};
    shell.cbSize = NOTIFYICONDATAW_V3_SIZE;
    shell.hWnd = tray.m_hWnd;
    shell.uID = kId;
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    for (const auto& [msg, wp] : {std::pair<UINT, WPARAM>{taskbarCreated, 0}, {WM_SETTINGCHANGE, SPI_SETWORKAREA}}) {
        SCOPED_TRACE(msg);
        ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &shell));  // as a restarting shell forgets it
        ASSERT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &shell));
        EXPECT_EQ(tray.SendMessage(msg, wp, 0), 0);
        EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &shell));
    }
    EXPECT_TRUE(tray.DeleteIcon());
    EXPECT_TRUE(tray.DeleteIcon());  // already removed
}

TEST(SingleInstance, AWindowWithTheTitleRefusesTheStartAndIsRestored) {
    CWnd running;
    ASSERT_TRUE(running.CreateEx(0, OSKARA_WINDOW_TITLE, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    ASSERT_FALSE(running.IsWindowVisible());
    COskaraApp app;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(running.IsWindowVisible());
    EXPECT_TRUE((app.Profiles().Count() == 0));
}

TEST(SingleInstance, AStartedInstanceIsFoundByItsMainWindowWhichTheTrayWindowShares) {
    COskaraApp app;
    ASSERT_EQ(FindWindowW(nullptr, OSKARA_WINDOW_TITLE), nullptr);
    ASSERT_TRUE(app.InitInstance());
    ASSERT_NE(app.MainDialog(), nullptr);
    // A second start restores what it finds first: the main window, not the tray's hidden one.
    EXPECT_EQ(FindWindowW(nullptr, OSKARA_WINDOW_TITLE), app.MainDialog()->m_hWnd);
    EXPECT_EQ(app.Tray().GetWindowText(), OSKARA_WINDOW_TITLE);
    EXPECT_EQ(app.m_pMainWnd, static_cast<CWnd*>(app.MainDialog()));

    // The exit removes the icon while the tray window still exists; nothing is left for the
    // application object's destructor.
    NOTIFYICONDATAW probe{};
    probe.cbSize = NOTIFYICONDATAW_V3_SIZE;
    probe.hWnd = app.Tray().m_hWnd;
    probe.uID = IDI_TRAY_ICON;
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    app.ExitInstance();
    EXPECT_TRUE(IsWindow(app.Tray().m_hWnd));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
}

TEST(SingleInstance, ARunningInstanceWithoutAWindowYetRefusesTheStart) {
    // Another start holds the instance mutex but has made no window so far.
    HANDLE other = CreateMutexW(nullptr, FALSE, OSKARA_INSTANCE_MUTEX);
    ASSERT_NE(other, nullptr);
    COskaraApp app;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(FindWindowW(nullptr, OSKARA_WINDOW_TITLE), nullptr);
    CloseHandle(other);
}

struct SeenItem {
    std::wstring text;
    UINT id, state;
};
struct SeenMenu {
    std::vector<SeenItem> top, profiles;
};
SeenMenu g_seenMenu;

std::vector<SeenItem> ItemsOf(HMENU menu) {
    std::vector<SeenItem> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[80] = L"";
        GetMenuStringW(menu, i, text, 80, MF_BYPOSITION);
        items.push_back({text, GetMenuItemID(menu, i), GetMenuState(menu, i, MF_BYPOSITION)});
    }
    return items;
}

// Runs inside the menu's own loop: reads the open menu, then closes it.
void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND window = FindWindowW(L"#32768", nullptr);
    if (!window) return;
    KillTimer(nullptr, timer);
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    g_seenMenu = {ItemsOf(menu), ItemsOf(GetSubMenu(menu, 0))};
    EndMenu();
}

SeenMenu OpenTrayMenu(CSystemTray& tray) {
    g_seenMenu = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, ReadOpenMenu);
    tray.SendMessage(kCallback, kId, WM_RBUTTONUP);
    KillTimer(nullptr, timer);
    return g_seenMenu;
}

// Profiles of the default simulated card: 700, 1000 and 1400 MHz with automatic fan by default.
const std::wstring kProfilesKey = L"[HKEY_CURRENT_USER\\Software\\Brenmar\\system_tray_test\\10DE-06C0\\Profile ";
const std::wstring kTwoProfiles =
    kProfilesKey + L"0]\r\n\"Name\"=\"Quiet & cool\"\r\n\"Core\"=dword:0000028a\r\n\"Mem\"=dword:00000384\r\n"
    L"\"Shader\"=dword:00000514\r\n\"Fan\"=dword:00000028\r\n\r\n" +
    kProfilesKey + L"1]\r\n\"Name\"=\"Fast\"\r\n\"Core\"=dword:000002f8\r\n\"Mem\"=dword:0000041a\r\n"
    L"\"Shader\"=dword:000005f0\r\n\"Fan\"=dword:0000006e\r\n\r\n";

TEST(TrayProfiles, TheSubmenuListsTheProfilesAndChecksTheOneTheCardStillRuns) {
    ASSERT_TRUE(WinTest::ImportRegistry(kTwoProfiles));
    COskaraApp app;
    ASSERT_TRUE(app.InitInstance());
    SeenMenu menu = OpenTrayMenu(app.Tray());
    ASSERT_EQ(menu.top.size(), 6u);
    EXPECT_EQ(menu.top[0].text, L"&Profiles");
    EXPECT_EQ(menu.top[1].id, static_cast<UINT>(ID_TRAY_OPEN));
    EXPECT_TRUE(menu.top[1].state & MF_DEFAULT);
    EXPECT_EQ(menu.top[2].id, static_cast<UINT>(ID_TRAY_MONITOR));
    EXPECT_EQ(menu.top[3].id, static_cast<UINT>(ID_TRAY_SCAN));
    EXPECT_EQ(menu.top[5].id, static_cast<UINT>(ID_TRAY_EXIT));
    ASSERT_EQ(menu.profiles.size(), 2u);
    EXPECT_EQ(menu.profiles[0].text, L"Fast");  // newest first, as the profiles dialog lists them
    EXPECT_EQ(menu.profiles[1].text, L"Quiet && cool");
    EXPECT_EQ(menu.profiles[0].id, static_cast<UINT>(ID_TRAY_PROFILE_FIRST));
    EXPECT_FALSE((menu.profiles[0].state | menu.profiles[1].state) & MF_CHECKED);

    app.Tray().SendMessage(WM_COMMAND, ID_TRAY_PROFILE_FIRST, 0);
    EXPECT_EQ(app.Settings().ReadInt(L"", L"LastCore", 0), 760u);
    EXPECT_EQ(app.Settings().ReadInt(L"", L"LastFan", 0), 110u);
    menu = OpenTrayMenu(app.Tray());
    ASSERT_EQ(menu.profiles.size(), 2u);
    EXPECT_TRUE(menu.profiles[0].state & MF_CHECKED);
    EXPECT_FALSE(menu.profiles[1].state & MF_CHECKED);

    app.MainDialog()->OnReset();
    menu = OpenTrayMenu(app.Tray());
    ASSERT_EQ(menu.profiles.size(), 2u);
    EXPECT_FALSE(menu.profiles[0].state & MF_CHECKED);

    while (app.Profiles().Count() > 0) app.Profiles().Remove(0);
    menu = OpenTrayMenu(app.Tray());
    ASSERT_EQ(menu.profiles.size(), 1u);
    EXPECT_EQ(menu.profiles[0].text, L"(no profiles)");
    EXPECT_TRUE(menu.profiles[0].state & MF_GRAYED);
    app.ExitInstance();
}

}  // namespace
