#include "app/ProfileRequest.h"

namespace ProfileRequest {
namespace {
// A hung instance must not hang the script that started this one.
constexpr UINT kAnswerTimeoutMs = 10000;
}  // namespace

std::optional<std::wstring> Decode(const COPYDATASTRUCT& data) {
    if (data.dwData != kTag || data.cbData % sizeof(wchar_t) != 0) return std::nullopt;
    const size_t units = data.cbData / sizeof(wchar_t);
    if (units == 0 || units > kMaxNameUnits || !data.lpData) return std::nullopt;
    return std::wstring(static_cast<const wchar_t*>(data.lpData), units);
}

int Send(const wchar_t* windowTitle, const std::wstring& name) {
    if (name.empty() || name.size() > kMaxNameUnits) return kExitNoSuchProfile;
    COPYDATASTRUCT data{kTag, static_cast<DWORD>(name.size() * sizeof(wchar_t)), const_cast<wchar_t*>(name.data())};
    // The main window bears the title too and answers 0; the tray window takes the request.
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, windowTitle); window;
         window = FindWindowExW(nullptr, window, nullptr, windowTitle)) {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                 SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTimeoutMs, &answer))
            continue;
        if (answer == static_cast<DWORD_PTR>(kApplied)) return kExitApplied;
        if (answer == static_cast<DWORD_PTR>(kNoSuchProfile)) return kExitNoSuchProfile;
    }
    return kExitUnanswered;
}

}  // namespace ProfileRequest
