#include "tests/win/support/TestParentWindow.h"

TestParentWindow::TestParentWindow(int x, int y, int width, int height, COLORREF face) : m_face(face) {
    CreateEx(0, L"test parent", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr, nullptr);
}

HWND TestParentWindow::AddChild(const wchar_t* windowClass, const wchar_t* text, DWORD style, int id, RECT r) {
    return CreateWindowExW(0, windowClass, text, WS_CHILD | style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                           m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                           nullptr);
}

LRESULT TestParentWindow::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(m_hWnd, &client);
        HBRUSH brush = CreateSolidBrush(m_face);
        FillRect(reinterpret_cast<HDC>(wp), &client, brush);
        DeleteObject(brush);
        return 1;
    }
    case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED) ++clicks;
        if (HIWORD(wp) == BN_DOUBLECLICKED) ++doubleClicks;
        return 0;
    }
    return CWnd::WindowProc(msg, wp, lp);
}
