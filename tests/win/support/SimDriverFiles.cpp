#include "tests/win/support/SimDriverFiles.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "gpu/SystemDriverLibrary.h"
#include "tests/win/support/WinTestSupport.h"

namespace SimDriverFiles {

namespace {
std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

// Writes the text to a file of the test's temporary folder and points the variable at it.
void PointAtText(const wchar_t* variable, const wchar_t* fileName, const std::string& text) {
    const std::wstring path = WinTest::TempPath(fileName);
    SetEnvironmentVariableW(variable, path.c_str());
    FILE* file = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}
}  // namespace

std::wstring InstalledPath() { return CSystemDriverLibrary::LibraryPath(); }

std::wstring WindowsPathOfUnix(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

std::wstring BuiltPath() {
    char value[1024];
    const DWORD length = GetEnvironmentVariableA("OSKARA_SIM_DRIVER", value, sizeof value);
    if (length == 0 || length >= sizeof value) return {};
    return WindowsPathOfUnix(std::string(value, length));
}

std::wstring BuiltNoEntryPath() {
    std::wstring path = BuiltPath();
    const size_t dot = path.rfind(L".dll");
    return dot == std::wstring::npos ? std::wstring() : path.substr(0, dot) + L"_noentry.dll";
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return Folder(std::wstring(path, length));
}

void UseCard(const std::string& cardText) { PointAtText(L"OSKARA_SIM_CARD", L"oskara-sim-card.txt", cardText); }

void UseFaults(const std::string& faultText) {
    PointAtText(L"OSKARA_SIM_FAULTS", L"oskara-sim-faults.txt", faultText);
}

std::string ReadText(const std::wstring& path) {
    std::string text;
    if (FILE* file = _wfopen(path.c_str(), L"rb")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
        std::fclose(file);
    }
    return text;
}

}  // namespace SimDriverFiles
