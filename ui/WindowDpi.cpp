#include "ui/WindowDpi.h"

#include "framework/Gdi.h"

// Looked up: Windows before 10 has no per-window DPI, and importing it would stop the program there.
UINT DpiOfWindow(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (found) {
        if (const UINT dpi = reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(found))(window)) return dpi;
    }
    CClientDC dc(window);
    return static_cast<UINT>(GetDeviceCaps(dc.Get(), LOGPIXELSY));
}
