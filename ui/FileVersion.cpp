#include "ui/FileVersion.h"

#include <windows.h>

#include <vector>

#include "ui/OptionsValues.h"

std::wstring GetFileVersionText(const std::wstring& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return L"";
    std::vector<unsigned char> info(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, info.data())) return L"";

    void* translation = nullptr;
    UINT translationBytes = 0;
    if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &translation, &translationBytes)) return L"";
    const std::wstring key = VersionTranslationKey(translation, translationBytes);
    if (key.empty()) return L"";

    void* text = nullptr;
    UINT length = 0;
    const std::wstring query = L"\\StringFileInfo\\" + key + L"\\FileVersion";
    if (!VerQueryValueW(info.data(), query.c_str(), &text, &length) || !text || length == 0) return L"";
    // The length counts the terminator; a block without one ends where the length says.
    const auto* chars = static_cast<const wchar_t*>(text);
    size_t n = 0;
    while (n < length && chars[n]) ++n;
    return std::wstring(chars, n);
}
