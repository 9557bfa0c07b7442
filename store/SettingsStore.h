#pragma once
#include <cstdint>
#include <string>

// Where settings and profiles persist. A section is a path below the application key; the empty
// section is the key itself. Reads give the default for anything missing or of the wrong type;
// writes and deletions never fail loudly.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual uint32_t ReadInt(const std::wstring& section, const std::wstring& name, uint32_t def) = 0;
    virtual std::wstring ReadString(const std::wstring& section, const std::wstring& name,
                                    const std::wstring& def) = 0;
    virtual void WriteInt(const std::wstring& section, const std::wstring& name, uint32_t value) = 0;
    virtual void WriteString(const std::wstring& section, const std::wstring& name,
                             const std::wstring& value) = 0;
    virtual void DeleteSection(const std::wstring& section) = 0;
    // True when the value exists, whatever its type.
    virtual bool HasValue(const std::wstring& section, const std::wstring& name) = 0;
};
