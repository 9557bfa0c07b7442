#include "framework/RegKey.h"

#include "framework/RegistryValue.h"

CRegKey::~CRegKey() { Close(); }

void CRegKey::Close() {
    if (m_key) RegCloseKey(m_key);
    m_key = nullptr;
}

bool CRegKey::Create(HKEY parent, const std::wstring& path) {
    Close();
    return RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &m_key, nullptr) ==
           ERROR_SUCCESS;
}

bool CRegKey::Open(HKEY parent, const std::wstring& path) {
    Close();
    return RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &m_key) == ERROR_SUCCESS;
}

size_t CRegKey::EntryCount() const {
    DWORD subkeys = 0, values = 0;
    if (!m_key || RegQueryInfoKeyW(m_key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                                   nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return size_t{subkeys} + values;
}

bool CRegKey::HasValue(const std::wstring& name) const {
    return m_key && RegQueryValueExW(m_key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool CRegKey::QueryValue(const std::wstring& name, DWORD& type, std::vector<uint8_t>& data) const {
    if (!m_key) return false;
    DWORD size = 0;
    if (RegQueryValueExW(m_key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        size > RegistryValue::kMaxStringBytes)
        return false;
    data.assign(size, 0);
    // A value that grew since its size was asked fails here (more data), and counts as absent.
    DWORD got = size;
    if (RegQueryValueExW(m_key, name.c_str(), nullptr, &type, data.data(), &got) != ERROR_SUCCESS) return false;
    data.resize(got < size ? got : size);
    return true;
}

bool CRegKey::QueryDword(const std::wstring& name, DWORD& value) const {
    DWORD type = 0;
    std::vector<uint8_t> data;
    if (!QueryValue(name, type, data)) return false;
    const auto number = RegistryValue::Dword(type, data.data(), data.size());
    if (!number) return false;
    value = *number;
    return true;
}

bool CRegKey::QueryString(const std::wstring& name, std::wstring& value) const {
    DWORD type = 0;
    std::vector<uint8_t> data;
    if (!QueryValue(name, type, data)) return false;
    auto text = RegistryValue::Text(type, data.data(), data.size());
    if (!text) return false;
    value = std::move(*text);
    return true;
}

bool CRegKey::EnumValue(DWORD index, std::wstring& name, DWORD& type, std::vector<uint8_t>& data) const {
    if (!m_key) return false;
    // A value's name holds at most 16383 units.
    wchar_t buffer[16384];
    DWORD length = 16384, size = 0;
    if (RegEnumValueW(m_key, index, buffer, &length, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    name.assign(buffer, length);
    data.assign(size <= RegistryValue::kMaxStringBytes ? size : 0, 0);
    DWORD got = size;
    if (size > RegistryValue::kMaxStringBytes ||
        RegQueryValueExW(m_key, name.c_str(), nullptr, &type, data.data(), &got) != ERROR_SUCCESS) {
        type = REG_NONE;
        data.clear();
        return true;
    }
    data.resize(got < size ? got : size);
    return true;
}

bool CRegKey::SetDword(const std::wstring& name, DWORD value) {
    return m_key && RegSetValueExW(m_key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                   sizeof(value)) == ERROR_SUCCESS;
}

bool CRegKey::SetString(const std::wstring& name, const std::wstring& value) {
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return m_key && RegSetValueExW(m_key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                   bytes) == ERROR_SUCCESS;
}

bool CRegKey::Flush() { return m_key && RegFlushKey(m_key) == ERROR_SUCCESS; }

bool CRegKey::DeleteTree(HKEY parent, const std::wstring& path) {
    // An empty path would empty the parent itself.
    if (path.empty()) return false;
    const LSTATUS status = RegDeleteTreeW(parent, path.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}
