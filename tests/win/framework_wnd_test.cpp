#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/WinApp.h"
#include "framework/Wnd.h"

namespace {

constexpr UINT kCloseYourself = WM_APP + 1;

// Destroys itself from inside a handler and logs when its object may be freed.
struct SelfClosingWindow : CWnd {
    std::vector<std::string>* log;
    explicit SelfClosingWindow(std::vector<std::string>* l) : log(l) {}
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == kCloseYourself) {
            DestroyWindow();
            log->push_back("handler returns");
            return 7;
        }
        if (msg == WM_NCDESTROY) log->push_back("ncdestroy");
        return Default(msg, wp, lp);
    }
    void PostNcDestroy() override { log->push_back("freed"); }
};

TEST(Wnd, AnObjectDestroyedInItsOwnHandlerIsReleasedAfterTheHandler) {
    std::vector<std::string> log;
    SelfClosingWindow window(&log);
    ASSERT_TRUE(window.CreateEx(0, L"t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hwnd = window.m_hWnd;
    EXPECT_EQ(SendMessageW(hwnd, kCloseYourself, 0, 0), 7);
    EXPECT_EQ(log, (std::vector<std::string>{"ncdestroy", "handler returns", "freed"}));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(window.m_hWnd, nullptr);
}

TEST(Wnd, SubclassingSeesMessagesAndPassesTheRestToTheOldProcedure) {
    struct Counting : CWnd {
        int texts = 0;
        LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
            if (msg == WM_SETTEXT) ++texts;
            return Default(msg, wp, lp);
        }
    } spy;
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(spy.SubclassWindow(edit));
    EXPECT_FALSE(spy.SubclassWindow(edit));
    spy.SetWindowText(L"hello");
    EXPECT_EQ(spy.texts, 1);
    EXPECT_EQ(spy.GetWindowText(), L"hello");
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), &spy);
}

TEST(WinApp, DestroyingTheMainWindowEndsTheMessageLoop) {
    CWinApp app(L"LoopTest");
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, L"t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    app.m_pMainWnd = &window;
    window.DestroyWindow();
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(app.RegistryPath(), L"");
    app.SetRegistryKey(L"Brenmar");
    EXPECT_EQ(app.RegistryPath(), L"Software\\Brenmar\\LoopTest");
}

}  // namespace
