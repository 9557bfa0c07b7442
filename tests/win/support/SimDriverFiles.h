#pragma once
// The simulated driver library in a test's own Wine prefix: where it is, and cards for it.
#include <windows.h>

#include <string>

namespace SimDriverFiles {

// Where the program loads the driver library from (the system folder).
std::wstring InstalledPath();
// The built simulated library, and its build without the entry point.
std::wstring BuiltPath();
std::wstring BuiltNoEntryPath();
// The folder of the running test program.
std::wstring ProgramFolder();
// A Unix path as a Windows program names it under Wine.
std::wstring WindowsPathOfUnix(const std::string& unixPath);

// Writes the card text to a file and points OSKARA_SIM_CARD at it, for libraries loaded later.
void UseCard(const std::string& cardText);
// Likewise the driver's faults ("fail <function> <status>" lines), read at every call: an empty
// text takes them away.
void UseFaults(const std::string& faultText);

// The whole text of a file; empty when it cannot be read.
std::string ReadText(const std::wstring& path);

}  // namespace SimDriverFiles
