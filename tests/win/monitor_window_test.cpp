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

TEST(MonitorWindow, ANewDpiGrowsTheButtonsAndTheirFontSoNoTextIsCut) {
    EmptyOwner owner;
    MemorySettingsStore settings;
    auto* window = new CMonitorWnd(owner, settings);  // frees itself with its window
    ASSERT_TRUE(window->Create());
    const HWND hwnd = window->m_hWnd;
    RECT place{};
    GetWindowRect(hwnd, &place);
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&place));
    for (const int id : {IDC_MONITOR_LOG, IDC_MONITOR_STOP_LOG}) {
        const HWND button = GetDlgItem(hwnd, id);
        RECT client{};
        GetClientRect(button, &client);
        wchar_t text[64] = L"";
        GetWindowTextW(button, text, 64);
        HDC dc = GetDC(button);
        const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent);
        SelectObject(dc, old);
        ReleaseDC(button, dc);
        EXPECT_EQ(client.bottom, 44) << id;
        EXPECT_GE(extent.cy, 20) << id;
        EXPECT_LT(extent.cx, client.right - 8) << id;
    }
    DestroyWindow(hwnd);
}

}  // namespace
