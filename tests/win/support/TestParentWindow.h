#pragma once
// A top-level window for one control under test: it paints itself in one colour, reflects its
// children's notifications (it is a CWnd) and counts the click notifications it receives.
#include <windows.h>

#include "framework/Wnd.h"

class TestParentWindow : public CWnd {
public:
    // Placed away from the screen's corner, where the dialogs of other tests open.
    TestParentWindow(int x, int y, int width, int height, COLORREF face);
    ~TestParentWindow() override { DestroyWindow(); }

    // A child control of a system class, not yet visible unless the style says so.
    HWND AddChild(const wchar_t* windowClass, const wchar_t* text, DWORD style, int id, RECT rect);

    int clicks = 0;
    int doubleClicks = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    COLORREF m_face;
};
