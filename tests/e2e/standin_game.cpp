// A stand-in game: a window titled after its file name until WM_CLOSE or the seconds given (60). It
// ends with the window shown, as Wine with no window manager waits 2 s at each hide.
#include <windows.h>

#include <cwchar>

namespace {
LRESULT CALLBACK GameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_TIMER && msg != WM_CLOSE) return DefWindowProcW(hwnd, msg, wp, lp);
    PostQuitMessage(0);
    return 0;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t* args, int) {
    const long seconds = *args ? std::wcstol(args, nullptr, 10) : 60;
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const wchar_t* slash = std::wcsrchr(path, L'\\');
    WNDCLASSW windowClass{0, GameProc, 0, 0, instance, nullptr, nullptr, nullptr, nullptr, L"OskaraStandInGame"};
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(windowClass.lpszClassName, slash ? slash + 1 : path, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                600, 400, 200, 120, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    SetTimer(window, 1, static_cast<UINT>(seconds > 0 ? seconds * 1000 : 1), nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
