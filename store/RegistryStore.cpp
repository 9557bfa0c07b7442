#include "store/RegistryStore.h"

#include "framework/RegKey.h"
#include "framework/RegistryValue.h"

std::wstring CRegistryStore::PathOf(const std::wstring& section) const {
    return section.empty() ? m_root : m_root + L"\\" + section;
}

uint32_t CRegistryStore::ReadInt(const std::wstring& section, const std::wstring& name, uint32_t def) {
    CRegKey key;
    DWORD value = 0;
    if (m_root.empty() || !key.Open(HKEY_CURRENT_USER, PathOf(section)) || !key.QueryDword(name, value)) return def;
    return value;
}

std::wstring CRegistryStore::ReadString(const std::wstring& section, const std::wstring& name,
                                        const std::wstring& def) {
    CRegKey key;
    std::wstring value;
    if (m_root.empty() || !key.Open(HKEY_CURRENT_USER, PathOf(section)) || !key.QueryString(name, value)) return def;
    return value;
}

void CRegistryStore::WriteInt(const std::wstring& section, const std::wstring& name, uint32_t value) {
    CRegKey key;
    if (!m_root.empty() && key.Create(HKEY_CURRENT_USER, PathOf(section))) key.SetDword(name, value);
}

void CRegistryStore::WriteIntDurably(const std::wstring& section, const std::wstring& name, uint32_t value) {
    CRegKey key;
    if (!m_root.empty() && key.Create(HKEY_CURRENT_USER, PathOf(section)) && key.SetDword(name, value)) key.Flush();
}

void CRegistryStore::WriteStringDurably(const std::wstring& section, const std::wstring& name,
                                        const std::wstring& value) {
    CRegKey key;
    if (!m_root.empty() && key.Create(HKEY_CURRENT_USER, PathOf(section)) && key.SetString(name, value)) key.Flush();
}

void CRegistryStore::WriteString(const std::wstring& section, const std::wstring& name, const std::wstring& value) {
    CRegKey key;
    if (!m_root.empty() && key.Create(HKEY_CURRENT_USER, PathOf(section))) key.SetString(name, value);
}

bool CRegistryStore::HasValue(const std::wstring& section, const std::wstring& name) {
    CRegKey key;
    return !m_root.empty() && key.Open(HKEY_CURRENT_USER, PathOf(section)) && key.HasValue(name);
}

void CRegistryStore::DeleteSection(const std::wstring& section) {
    if (!m_root.empty() && !section.empty()) CRegKey::DeleteTree(HKEY_CURRENT_USER, PathOf(section));
}

size_t CRegistryStore::EntryCount(const std::wstring& section) {
    CRegKey key;
    if (m_root.empty() || !key.Open(HKEY_CURRENT_USER, PathOf(section))) return 0;
    return key.EntryCount();
}

void CRegistryStore::WriteValues(const std::wstring& section, const std::vector<NamedValue>& values) {
    CRegKey key;
    if (m_root.empty() || !key.Create(HKEY_CURRENT_USER, PathOf(section))) return;
    for (const NamedValue& v : values) {
        if (const auto* number = std::get_if<uint32_t>(&v.value)) key.SetDword(v.name, *number);
        else key.SetString(v.name, std::get<std::wstring>(v.value));
    }
}

std::vector<SettingsStore::NamedValue> CRegistryStore::ReadValues(const std::wstring& section) {
    std::vector<NamedValue> values;
    CRegKey key;
    if (m_root.empty() || !key.Open(HKEY_CURRENT_USER, PathOf(section))) return values;
    std::wstring name;
    DWORD type = 0;
    std::vector<uint8_t> data;
    for (DWORD i = 0; values.size() < kMaxListedValues && key.EnumValue(i, name, type, data); ++i) {
        if (auto text = RegistryValue::Text(type, data.data(), data.size()))
            values.push_back({name, std::move(*text)});
        else
            values.push_back({name, RegistryValue::Dword(type, data.data(), data.size()).value_or(0)});
    }
    return values;
}
