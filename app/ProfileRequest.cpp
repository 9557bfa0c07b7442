#include "app/ProfileRequest.h"

namespace ProfileRequest {
namespace {
// A hung instance must not hang the script that started this one.
constexpr UINT kAnswerTimeoutMs = 10000;
}  // namespace

Match FindProfile(const std::wstring& name, const ProfileList& profiles) {
    const auto compare = [&name](const PROFILE& profile, BOOL ignoreCase) {
        return CompareStringOrdinal(name.c_str(), static_cast<int>(name.size()), profile.name,
                                    static_cast<int>(wcsnlen(profile.name, 64)), ignoreCase) == CSTR_EQUAL;
    };
    std::vector<size_t> withoutCase;
    for (size_t i = 0; i < profiles.size(); ++i) {
        if (compare(profiles[i], FALSE)) return {i, {}};
        if (compare(profiles[i], TRUE)) withoutCase.push_back(i);
    }
    if (withoutCase.size() == 1) return {withoutCase[0], {}};
    Match match;
    for (size_t i : withoutCase) match.candidates.emplace_back(profiles[i].name, wcsnlen(profiles[i].name, 64));
    return match;
}

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
