#include "skin/FocusMark.h"

#include "framework/KeyboardCues.h"

bool ShowsFocusMark(HWND control) {
    const HWND top = GetAncestor(control, GA_ROOT);
    return GetFocus() == control && top && KeyboardCuesShown(top);
}

void DrawFocusMark(HDC dc, RECT around, const FocusMark& mark) {
    const int w = mark.width;
    if (w <= 0) return;
    InflateRect(&around, -w, -w);
    if (around.right - around.left < 2 * w || around.bottom - around.top < 2 * w) return;
    const HBRUSH brush = CreateSolidBrush(mark.colour);
    if (!brush) return;
    const auto block = [&](int x, int y) {
        const RECT r{x, y, x + w, y + w};
        FillRect(dc, &r, brush);
    };
    for (int x = around.left; x + w <= around.right; x += 2 * w) {
        block(x, around.top);
        block(x, around.bottom - w);
    }
    for (int y = around.top; y + w <= around.bottom; y += 2 * w) {
        block(around.left, y);
        block(around.right - w, y);
    }
    DeleteObject(brush);
}
