#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "store/Profile.h"

// A start with "-p NAME" while an instance runs hands NAME to that instance's tray window as
// WM_COPYDATA: the tag, then the name in UTF-16 without a terminator.
namespace ProfileRequest {

inline constexpr ULONG_PTR kTag = 0x4F534B50;
// The tray window's answers; 0 is a window that took no request.
inline constexpr LRESULT kApplied = 1, kNoSuchProfile = 2;
// Exit codes of the start that handed the request over.
inline constexpr int kExitApplied = 0, kExitUnanswered = 1, kExitNoSuchProfile = 2;
// Far above any profile name; anything longer is no request.
inline constexpr size_t kMaxNameUnits = 1024;

// Which profile a name asks for: the one of exactly that name (the first, should there be two),
// or else the only one that matches without regard to case. A name that matches several only
// without regard to case chooses none; candidates names them, in the list's order.
struct Match {
    std::optional<size_t> index;
    std::vector<std::wstring> candidates;
};
Match FindProfile(const std::wstring& name, const ProfileList& profiles);

// The name, or nullopt when the data is not such a request.
std::optional<std::wstring> Decode(const COPYDATASTRUCT& data);

// Sends the request to each window of the title until one answers; gives the exit code.
int Send(const wchar_t* windowTitle, const std::wstring& name);

}  // namespace ProfileRequest
