#pragma once
#include <string>

// The shortcut "Brenmar Oskara.lnk" in the Startup folder that starts the program hidden ("-s")
// at logon. allUsers chooses the common Startup folder instead of the user's.
namespace StartupShortcut {

inline constexpr const wchar_t* kFileName = L"Brenmar Oskara.lnk";
inline constexpr const wchar_t* kArguments = L"-s";

// The shortcut's full path; empty when the folder cannot be found.
std::wstring Path(bool allUsers);
bool Exists(bool allUsers);
// True when the file was deleted.
bool Delete(bool allUsers);
// Makes or overwrites the shortcut to this program; true when it was saved.
bool Create(bool allUsers);

}  // namespace StartupShortcut
