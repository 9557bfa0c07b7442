#pragma once
#include <windows.h>

// The keyboard focus shown on a skinned control: a dotted frame of whole blocks, so it stays a
// dotted line at every scale factor of the skin.
struct FocusMark {
    COLORREF colour = 0;
    // Block size in pixels; 0 draws nothing.
    int width = 0;
};

// Whether the control has the focus and its window shows focus marks now: they show only once
// the keyboard was used, as the system's own controls do.
bool ShowsFocusMark(HWND control);
void DrawFocusMark(HDC dc, RECT around, const FocusMark& mark);
