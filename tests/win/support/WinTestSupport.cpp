#include "WinTestSupport.h"

#include <cstdio>

namespace WinTest {

bool Run(const std::wstring& commandLine, DWORD timeoutMs, DWORD* exitCode) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring mutableLine = commandLine;
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    const bool ended = WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    if (ended && exitCode) GetExitCodeProcess(process.hProcess, exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended;
}

std::wstring TempPath(const std::wstring& name) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

bool ImportRegistry(const std::wstring& body) {
    const std::wstring path = TempPath(L"import.reg");
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file) return false;
    const std::wstring text = L"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n" + body;
    fwrite(text.data(), sizeof(wchar_t), text.size(), file);
    fclose(file);
    DWORD code = 1;
    return Run(L"reg.exe import \"" + path + L"\"", 30000, &code) && code == 0;
}

namespace {
bool RunQueued() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}
}  // namespace

void Pump(DWORD ms, const std::function<bool()>& done) {
    const DWORD end = GetTickCount() + ms;
    while (RunQueued() && !(done && done()) && static_cast<LONG>(end - GetTickCount()) > 0) Sleep(5);
}

HWND FindThreadWindow(const std::function<bool(HWND)>& match) {
    struct Search {
        const std::function<bool(HWND)>* match;
        HWND found = nullptr;
    } search{&match};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (!(*s->match)(hwnd)) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void ClearBrenmarKey() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Brenmar"); }

}  // namespace WinTest
