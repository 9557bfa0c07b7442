// Finds top-level windows by exact title, shown or not (xdotool sees only mapped windows), and
// optionally posts a command or a message to every one found (a window that does not know it
// ignores it), prints a control's text or where a control is on the screen.
//   findwindow <title> [--command <id> | --message <msg> <wparam> | --text <control id> | --text all |
//                       --rect <control id> | --client-origin | --send-timed <msg> <wparam> |
//                       --send <msg> <wparam> | --count]
// Prints one line per window: its handle, "visible" or "hidden", and its class; with --text, instead, the text
// of that control of the first window that has it, or of every child of the first window ("all");
// with --rect, that control's screen rectangle as "left top right bottom"; with --client-origin,
// the screen position of the first window's client area as "x y"; with --send-timed, instead, the
// message is sent (not posted) to each window in turn and the microseconds its handlers took;
// with --send, the message is sent to the first window and its answer printed; with --count, only
// how many windows have the title, 0 included, so that an absence is an answer and not a failure.
// Exit code 1 when no window (or, with --text, no such control) exists.
//   findwindow --key <down|up> <virtual key>
// presses or lets go a key as the keyboard does, for every program of the prefix (X keys reach only
// a Wine window that has the focus).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {
struct Search {
    const wchar_t* title;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t text[256] = L"";
    GetWindowTextW(hwnd, text, 256);
    if (std::wcscmp(text, search->title) == 0) search->found.push_back(hwnd);
    return TRUE;
}

// UTF-8 so the shell sees the text as the window shows it; line breaks inside a text stay.
void PrintText(HWND control) {
    wchar_t text[1024] = L"";
    GetWindowTextW(control, text, 1024);
    char bytes[4096] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof(bytes), nullptr, nullptr);
    std::printf("%s\n", bytes);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    PrintText(child);
    return TRUE;
}

HWND FindControl(const std::vector<HWND>& windows, const wchar_t* which) {
    const int id = static_cast<int>(std::wcstol(which, nullptr, 0));
    // Several windows may share the title (the main dialog and the tray's window).
    for (HWND hwnd : windows)
        if (HWND control = GetDlgItem(hwnd, id)) return control;
    return nullptr;
}

int PrintControlRect(const std::vector<HWND>& windows, const wchar_t* which) {
    const HWND control = FindControl(windows, which);
    RECT rect{};
    if (!control || !GetWindowRect(control, &rect)) return 1;
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return 0;
}

int PrintControlText(const std::vector<HWND>& windows, const wchar_t* which) {
    if (std::wcscmp(which, L"all") == 0) {
        EnumChildWindows(windows.front(), PrintChild, 0);
        return 0;
    }
    const HWND control = FindControl(windows, which);
    if (!control) return 1;
    PrintText(control);
    return 0;
}

int SendKey(const wchar_t* direction, const wchar_t* key) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(std::wcstoul(key, nullptr, 0));
    input.ki.dwFlags = std::wcscmp(direction, L"up") == 0 ? KEYEVENTF_KEYUP : 0;
    return SendInput(1, &input, sizeof(input)) == 1 ? 0 : 1;
}

// The benchmark's view of a handler's cost inside the program: the send returns when it is done.
int SendTimed(const std::vector<HWND>& windows, UINT msg, WPARAM wp) {
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (HWND hwnd : windows) SendMessageW(hwnd, msg, wp, 0);
    QueryPerformanceCounter(&end);
    std::printf("%lld\n", (end.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart);
    return 0;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    if (argc >= 4 && std::wcscmp(argv[1], L"--key") == 0) return SendKey(argv[2], argv[3]);
    Search search{argv[1], {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    if (argc >= 3 && std::wcscmp(argv[2], L"--count") == 0) {
        std::printf("%u\n", static_cast<unsigned>(search.found.size()));
        return 0;
    }
    if (search.found.empty()) return 1;
    if (argc >= 4 && std::wcscmp(argv[2], L"--text") == 0) return PrintControlText(search.found, argv[3]);
    if (argc >= 4 && std::wcscmp(argv[2], L"--rect") == 0) return PrintControlRect(search.found, argv[3]);
    if (argc >= 3 && std::wcscmp(argv[2], L"--client-origin") == 0) {
        POINT origin{0, 0};
        ClientToScreen(search.found.front(), &origin);
        std::printf("%ld %ld\n", origin.x, origin.y);
        return 0;
    }
    if (argc >= 5 && std::wcscmp(argv[2], L"--send") == 0) {
        const LRESULT answer = SendMessageW(search.found.front(), std::wcstoul(argv[3], nullptr, 0),
                                            std::wcstoul(argv[4], nullptr, 0), 0);
        std::printf("%lld\n", static_cast<long long>(answer));
        return 0;
    }
    if (argc >= 5 && std::wcscmp(argv[2], L"--send-timed") == 0)
        return SendTimed(search.found, std::wcstoul(argv[3], nullptr, 0), std::wcstoul(argv[4], nullptr, 0));
    for (HWND hwnd : search.found) {
        wchar_t windowClass[256] = L"";
        GetClassNameW(hwnd, windowClass, 256);
        std::printf("%p %s %ls\n", static_cast<void*>(hwnd), IsWindowVisible(hwnd) ? "visible" : "hidden",
                    windowClass);
    }
    if (argc >= 4 && std::wcscmp(argv[2], L"--command") == 0)
        for (HWND hwnd : search.found) PostMessageW(hwnd, WM_COMMAND, std::wcstoul(argv[3], nullptr, 0), 0);
    if (argc >= 5 && std::wcscmp(argv[2], L"--message") == 0)
        for (HWND hwnd : search.found)
            PostMessageW(hwnd, std::wcstoul(argv[3], nullptr, 0), std::wcstoul(argv[4], nullptr, 0), 0);
    return 0;
}
