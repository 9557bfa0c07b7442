// Finds top-level windows by exact title, shown or not (xdotool sees only mapped windows), and
// optionally posts a command to the first one found.
//   findwindow <title> [--command <id>]
// Prints one line per window: its handle and "visible" or "hidden". Exit code 1 when none exists.
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
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    Search search{argv[1], {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    for (HWND hwnd : search.found)
        std::printf("%p %s\n", static_cast<void*>(hwnd), IsWindowVisible(hwnd) ? "visible" : "hidden");
    if (search.found.empty()) return 1;
    if (argc >= 4 && std::wcscmp(argv[2], L"--command") == 0)
        PostMessageW(search.found.front(), WM_COMMAND, std::wcstoul(argv[3], nullptr, 0), 0);
    return 0;
}
