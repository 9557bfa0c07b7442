#pragma once
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// Where settings and profiles persist. A section is a path below the application key; the empty
// section is the key itself. Reads give the default for anything missing or of the wrong type;
// writes and deletions never fail loudly.
class SettingsStore {
public:
    struct NamedValue {
        std::wstring name;
        std::variant<uint32_t, std::wstring> value;
    };

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
    // The values and sections directly below a section; 0 when it does not exist.
    virtual size_t EntryCount(const std::wstring& section) = 0;
    // The values directly in a section, in the store's order, at most kMaxListedValues of them.
    // Text is text; any other value comes as a number: a DWORD's, 0 for a value of another type.
    static constexpr size_t kMaxListedValues = 256;
    virtual std::vector<NamedValue> ReadValues(const std::wstring& section) = 0;
    // Writes an int and returns once it is on disk, so it outlives a crash of the machine right after.
    virtual void WriteIntDurably(const std::wstring& section, const std::wstring& name, uint32_t value) {
        WriteInt(section, name, value);
    }
    virtual void WriteStringDurably(const std::wstring& section, const std::wstring& name, const std::wstring& value) {
        WriteString(section, name, value);
    }
    // Writes the values in order; a store that opens a section per access opens it once here.
    virtual void WriteValues(const std::wstring& section, const std::vector<NamedValue>& values) {
        for (const NamedValue& v : values) {
            if (const auto* number = std::get_if<uint32_t>(&v.value)) WriteInt(section, v.name, *number);
            else WriteString(section, v.name, std::get<std::wstring>(v.value));
        }
    }
};
