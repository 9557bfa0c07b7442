#include "framework/RegKey.h"

#include <vector>

namespace {
// Far above any text this program stores; keeps a damaged value from claiming all memory.
constexpr DWORD kMaxStringBytes = 1 << 20;
}

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

bool CRegKey::HasValue(const std::wstring& name) const {
    return m_key && RegQueryValueExW(m_key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool CRegKey::QueryDword(const std::wstring& name, DWORD& value) const {
    if (!m_key) return false;
    DWORD type = 0, data = 0, size = sizeof(data);
    if (RegQueryValueExW(m_key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_DWORD || size != sizeof(data)) return false;
    value = data;
    return true;
}

bool CRegKey::QueryString(const std::wstring& name, std::wstring& value) const {
    if (!m_key) return false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(m_key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != REG_SZ || size > kMaxStringBytes) return false;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(m_key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    const size_t units = got / sizeof(wchar_t) < buffer.size() ? got / sizeof(wchar_t) : buffer.size();
    size_t length = 0;
    while (length < units && buffer[length] != L'\0') ++length;
    value.assign(buffer.data(), length);
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

bool CRegKey::DeleteTree(HKEY parent, const std::wstring& path) {
    // An empty path would empty the parent itself.
    if (path.empty()) return false;
    const LSTATUS status = RegDeleteTreeW(parent, path.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}
