#pragma once
#include <map>
#include <string>
#include <variant>

#include "store/SettingsStore.h"
#include "tests/host/SectionEntries.h"

// A settings store in memory with the registry's typing: a value of the other type reads as
// absent. Keeps a log of deletions so the store's order can be checked.
class MemorySettingsStore : public SettingsStore {
public:
    using Value = std::variant<uint32_t, std::wstring>;
    std::map<std::wstring, std::map<std::wstring, Value>> sections;
    std::vector<std::wstring> deleted;
    std::vector<std::wstring> writes;  // "section|name" in order

    uint32_t ReadInt(const std::wstring& section, const std::wstring& name, uint32_t def) override {
        const Value* v = Find(section, name);
        return v && std::holds_alternative<uint32_t>(*v) ? std::get<uint32_t>(*v) : def;
    }
    std::wstring ReadString(const std::wstring& section, const std::wstring& name,
                            const std::wstring& def) override {
        const Value* v = Find(section, name);
        return v && std::holds_alternative<std::wstring>(*v) ? std::get<std::wstring>(*v) : def;
    }
    void WriteInt(const std::wstring& section, const std::wstring& name, uint32_t value) override {
        sections[section][name] = value;
        writes.push_back(section + L"|" + name);
    }
    void WriteString(const std::wstring& section, const std::wstring& name, const std::wstring& value) override {
        sections[section][name] = value;
        writes.push_back(section + L"|" + name);
    }
    void DeleteSection(const std::wstring& section) override {
        sections.erase(section);
        deleted.push_back(section);
    }

    bool HasValue(const std::wstring& section, const std::wstring& name) override {
        return Find(section, name) != nullptr;
    }
    size_t EntryCount(const std::wstring& section) override { return CountSectionEntries(sections, section); }
    std::vector<NamedValue> ReadValues(const std::wstring& section) override {
        std::vector<NamedValue> values;
        if (auto s = sections.find(section); s != sections.end())
            for (const auto& [name, value] : s->second)
                if (values.size() < kMaxListedValues) values.push_back({name, value});
        return values;
    }

private:
    const Value* Find(const std::wstring& section, const std::wstring& name) const {
        auto s = sections.find(section);
        if (s == sections.end()) return nullptr;
        auto v = s->second.find(name);
        return v == s->second.end() ? nullptr : &v->second;
    }
};
