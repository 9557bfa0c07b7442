// The monitor window at a new DPI: its bar's buttons and their font grow with it.
#include <gtest/gtest.h>
#include <windows.h>

#include "res/resource.h"
#include "tests/host/MemorySettingsStore.h"
#include "ui/MonitorWnd.h"

namespace {

struct EmptyOwner : CMonitorWnd::Owner {
    const MonitorHistory& History() override { return history; }
    void StartLog(const std::wstring&) override {}
    void StopLog() override {}
    void MonitorClosed() override {}
    MonitorHistory history;
};

TEST(MonitorWindow, ANewDpiGrowsTheButtonsAndTheirFont) {
    EmptyOwner owner;
    MemorySettingsStore settings;
    auto* window = new CMonitorWnd(owner, settings);  // frees itself with its window
    ASSERT_TRUE(window->Create());
    RECT place{};
    GetWindowRect(window->m_hWnd, &place);
    SendMessageW(window->m_hWnd, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&place));
    LOGFONTW atScreen{}, shown{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(atScreen), &atScreen);
    for (const auto [id, widthAt96] : {std::pair{IDC_MONITOR_LOG, 90}, std::pair{IDC_MONITOR_STOP_LOG, 70}}) {
        const HWND button = GetDlgItem(window->m_hWnd, id);
        RECT client{};
        GetClientRect(button, &client);
        EXPECT_EQ(client.right, 2 * widthAt96) << id;
        EXPECT_EQ(client.bottom, 2 * 22) << id;
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof(shown), &shown);
        EXPECT_EQ(shown.lfHeight, 2 * atScreen.lfHeight) << id;
    }
    DestroyWindow(window->m_hWnd);
}

}  // namespace
