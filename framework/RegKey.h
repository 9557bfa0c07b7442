#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

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

    // Values and subkeys; 0 when the key is not open.
    size_t EntryCount() const;
    // Of any type or size.
    bool HasValue(const std::wstring& name) const;
    // Decoded as RegistryValue says: a REG_DWORD of four bytes; REG_SZ text up to its first NUL.
    bool QueryDword(const std::wstring& name, DWORD& value) const;
    bool QueryString(const std::wstring& name, std::wstring& value) const;
    // The value at index in the key's order with its type and bytes; false past the last one. One
    // larger than any value the program reads, or that changed meanwhile, comes as REG_NONE.
    bool EnumValue(DWORD index, std::wstring& name, DWORD& type, std::vector<uint8_t>& data) const;
    bool SetDword(const std::wstring& name, DWORD value);
    bool SetString(const std::wstring& name, const std::wstring& value);
    // Waits until what was written to the key is on disk.
    bool Flush();

    // Removes a key with everything below it; a missing key is no error.
    static bool DeleteTree(HKEY parent, const std::wstring& path);

private:
    // The value's type and bytes; false when missing or larger than any value the program reads.
    bool QueryValue(const std::wstring& name, DWORD& type, std::vector<uint8_t>& data) const;

    HKEY m_key = nullptr;
};
