#pragma once
#include <windows.h>

#include <string>

// One open registry key, closed with its owner.
class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey();
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    // Opens the key, creating it and its parents when missing.
    bool Create(HKEY parent, const std::wstring& path);
    // Opens an existing key for reading.
    bool Open(HKEY parent, const std::wstring& path);
    void Close();

    // Of any type or size.
    bool HasValue(const std::wstring& name) const;
    // Only a REG_DWORD of four bytes counts.
    bool QueryDword(const std::wstring& name, DWORD& value) const;
    // Only REG_SZ counts; text ends at the first NUL or the data's end, whichever comes first.
    bool QueryString(const std::wstring& name, std::wstring& value) const;
    bool SetDword(const std::wstring& name, DWORD value);
    bool SetString(const std::wstring& name, const std::wstring& value);

    // Removes a key with everything below it; a missing key is no error.
    static bool DeleteTree(HKEY parent, const std::wstring& path);

private:
    HKEY m_key = nullptr;
};
