#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <string>

// Helpers for tests that run under Wine in their own prefix.
namespace WinTest {

// Runs a command line and waits for it; false when it could not start or did not end in time.
bool Run(const std::wstring& commandLine, DWORD timeoutMs, DWORD* exitCode = nullptr);

// Imports registry text (the body after the header line) with the system's own "reg import".
bool ImportRegistry(const std::wstring& body);

// A file in the test's temporary folder.
std::wstring TempPath(const std::wstring& name);

// Runs the thread's queued messages as a message loop would; given a time, goes on until it has
// passed or done() says so. A WM_QUIT is posted again and ends the pumping.
void Pump(DWORD ms = 0, const std::function<bool()>& done = nullptr);

// The first top-level window of this thread that match accepts; nullptr when none does.
HWND FindThreadWindow(const std::function<bool(HWND)>& match);

// A rectangle's left, top, right and bottom, to be checked in one line.
inline std::array<LONG, 4> Edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Deletes HKEY_CURRENT_USER\Software\Brenmar with everything below it.
void ClearBrenmarKey();

}  // namespace WinTest
