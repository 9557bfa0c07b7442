#pragma once
#include "store/SettingsStore.h"

// Settings and profiles under HKEY_CURRENT_USER\<root>. Without a root nothing is read or written.
class CRegistryStore : public SettingsStore {
public:
    void SetRoot(const std::wstring& root) { m_root = root; }
    const std::wstring& Root() const { return m_root; }

    uint32_t ReadInt(const std::wstring& section, const std::wstring& name, uint32_t def) override;
    std::wstring ReadString(const std::wstring& section, const std::wstring& name,
                            const std::wstring& def) override;
    void WriteInt(const std::wstring& section, const std::wstring& name, uint32_t value) override;
    void WriteString(const std::wstring& section, const std::wstring& name, const std::wstring& value) override;
    void WriteIntDurably(const std::wstring& section, const std::wstring& name, uint32_t value) override;
    void WriteStringDurably(const std::wstring& section, const std::wstring& name, const std::wstring& value) override;
    void DeleteSection(const std::wstring& section) override;
    bool HasValue(const std::wstring& section, const std::wstring& name) override;
    size_t EntryCount(const std::wstring& section) override;
    void WriteValues(const std::wstring& section, const std::vector<NamedValue>& values) override;
    std::vector<NamedValue> ReadValues(const std::wstring& section) override;

private:
    std::wstring PathOf(const std::wstring& section) const;

    std::wstring m_root;
};
