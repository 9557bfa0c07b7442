// The floor the benchmark compares the program with: the main window's dialog template, created
// modeless with no skin, no driver and no controller, and a plain message loop.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"
#include "tools/bench/BenchFloor.h"

namespace {
INT_PTR CALLBACK FloorProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) {
        DestroyWindow(dialog);
        return TRUE;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    HWND dialog = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_OSKARA_DIALOG), nullptr, FloorProc, 0);
    if (!dialog) return 1;
    SetWindowTextW(dialog, BENCH_FLOOR_TITLE);
    ShowWindow(dialog, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
