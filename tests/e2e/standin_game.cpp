// A stand-in for a game: one window titled after its own file name, shown until it is closed (WM_CLOSE
// by findwindow's --message 16) or the seconds on its command line pass (default 60).
#include <windows.h>

#include <cwchar>

namespace {
// The process ends with its window shown: Wine without a window manager waits 2 s for one at
// each hide, which would delay the end the tests time.
LRESULT CALLBACK GameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_TIMER && msg != WM_CLOSE) return DefWindowProcW(hwnd, msg, wp, lp);
    PostQuitMessage(0);
    return 0;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t* args, int) {
    const long seconds = *args ? std::wcstol(args, nullptr, 10) : 60;
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const wchar_t* name = length ? path + length : path;
    while (name > path && name[-1] != L'\\') --name;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = GameProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"OskaraStandInGame";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(windowClass.lpszClassName, name, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400, 200,
                                120, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    SetTimer(window, 1, static_cast<UINT>(seconds > 0 ? seconds * 1000 : 1), nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
