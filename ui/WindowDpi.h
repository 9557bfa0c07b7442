#pragma once
#include <windows.h>

// The DPI a window is drawn at: its own where Windows has per-window DPI, the screen's elsewhere.
UINT DpiOfWindow(HWND window);
// A length laid out for 96 DPI, at the given DPI.
inline int AtDpi(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }
