// Fuzz target: the profile load over registry values of any type and size, decoded as the
// registry store decodes them; what loads must be a sound list that survives the shutdown store.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cwchar>
#include <map>
#include <vector>

#include "store/ProfileStore.h"
#include "store/Settings.h"
#include "framework/RegistryValue.h"
#include "tests/fuzz/fuzz_require.h"
#include "tests/host/SectionEntries.h"

namespace {

struct RawValue {
    uint32_t type;
    std::vector<uint8_t> bytes;
};

// The registry as the program sees it: typed bytes under section paths.
class CRawStore : public SettingsStore {
public:
    std::map<std::wstring, std::map<std::wstring, RawValue>> sections;

    uint32_t ReadInt(const std::wstring& section, const std::wstring& name, uint32_t def) override {
        const RawValue* v = Find(section, name);
        if (!v) return def;
        return RegistryValue::Dword(v->type, v->bytes.data(), v->bytes.size()).value_or(def);
    }
    std::wstring ReadString(const std::wstring& section, const std::wstring& name,
                            const std::wstring& def) override {
        const RawValue* v = Find(section, name);
        if (!v) return def;
        return RegistryValue::Text(v->type, v->bytes.data(), v->bytes.size()).value_or(def);
    }
    void WriteInt(const std::wstring& section, const std::wstring& name, uint32_t value) override {
        sections[section][name] = {RegistryValue::kTypeDword,
                                   {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)}};
    }
    void WriteString(const std::wstring& section, const std::wstring& name, const std::wstring& value) override {
        RawValue raw{RegistryValue::kTypeString, {}};
        for (wchar_t unit : value) {
            raw.bytes.push_back(uint8_t(unit & 0xFF));
            raw.bytes.push_back(uint8_t((unit >> 8) & 0xFF));
        }
        raw.bytes.insert(raw.bytes.end(), {0, 0});
        sections[section][name] = raw;
    }
    void DeleteSection(const std::wstring& section) override { sections.erase(section); }
    bool HasValue(const std::wstring& section, const std::wstring& name) override {
        return Find(section, name) != nullptr;
    }
    size_t EntryCount(const std::wstring& section) override { return CountSectionEntries(sections, section); }
    std::vector<NamedValue> ReadValues(const std::wstring& section) override {
        std::vector<NamedValue> values;
        if (const auto s = sections.find(section); s != sections.end())
            for (const auto& [name, v] : s->second) {
                auto text = RegistryValue::Text(v.type, v.bytes.data(), v.bytes.size());
                if (text) values.push_back({name, *text});
                else values.push_back({name, ReadInt(section, name, 0)});
            }
        return values;
    }

private:
    const RawValue* Find(const std::wstring& section, const std::wstring& name) const {
        const auto s = sections.find(section);
        if (s == sections.end()) return nullptr;
        const auto v = s->second.find(name);
        return v == s->second.end() ? nullptr : &v->second;
    }
};

std::wstring AnyText(FuzzedDataProvider& in, size_t maxUnits) {
    std::wstring text;
    const size_t units = in.ConsumeIntegralInRange<size_t>(0, maxUnits);
    for (size_t i = 0; i < units; ++i) text.push_back(static_cast<wchar_t>(in.ConsumeIntegral<uint16_t>()));
    return text;
}

RawValue AnyValue(FuzzedDataProvider& in) {
    RawValue value;
    const uint8_t kind = in.ConsumeIntegral<uint8_t>();
    value.type = kind < 0x60 ? RegistryValue::kTypeDword
               : kind < 0xC0 ? RegistryValue::kTypeString
                             : in.ConsumeIntegral<uint32_t>();
    if (in.ConsumeIntegral<uint8_t>() == 0xFF) {
        // Sizes near and past the limit of what the store reads, without input to fill them.
        value.bytes.assign(RegistryValue::kMaxStringBytes - 2 + in.ConsumeIntegralInRange<size_t>(0, 4),
                           in.ConsumeIntegral<uint8_t>());
    } else {
        value.bytes = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(0, 160));
    }
    return value;
}

const wchar_t* const kNames[] = {L"Core", L"Mem", L"Shader", L"Fan", L"Name"};

void CheckList(const ProfileList& profiles, bool cardHasShaderClock) {
    FUZZ_REQUIRE(profiles.size() <= static_cast<size_t>(ProfileStore::kMaxLoaded));
    for (const PROFILE& profile : profiles) {
        FUZZ_REQUIRE(profile.core != 0 && profile.memory != 0);
        FUZZ_REQUIRE(profile.shader != 0 || !cardHasShaderClock);
        FUZZ_REQUIRE(wcsnlen(profile.name, 64) <= kProfileNameMax);
    }
}

bool Same(const PROFILE& a, const PROFILE& b) {
    return std::wmemcmp(a.name, b.name, 64) == 0 && a.core == b.core && a.memory == b.memory &&
           a.shader == b.shader && a.fan == b.fan;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    // The key comes from the card's ids; empty when they could not be read.
    std::wstring cardKey;
    if (in.ConsumeIntegral<uint8_t>() != 0xFF)
        cardKey = ProfileStore::CardKey(in.ConsumeIntegral<uint16_t>(), in.ConsumeIntegral<uint16_t>());
    const bool cardHasShaderClock = in.ConsumeBool();
    CRawStore store;
    while (in.remaining_bytes() > 0) {
        const int number = in.ConsumeIntegralInRange<int>(-1, 70);
        const std::wstring section = number < 0 ? AnyText(in, 24) : ProfileStore::SectionName(cardKey, number);
        const uint8_t pick = in.ConsumeIntegral<uint8_t>();
        const std::wstring name = pick < 5 * 48 ? kNames[pick % 5] : AnyText(in, 8);
        store.sections[section][name] = AnyValue(in);
    }

    const ProfileList loaded = ProfileStore::Load(store, cardKey, cardHasShaderClock);
    CheckList(loaded, cardHasShaderClock);
    FUZZ_REQUIRE(!cardKey.empty() || loaded.empty());

    // The shutdown store writes over whatever damage was there; the next start loads the same list.
    ProfileStore::StoreAtShutdown(store, cardKey, loaded);
    const ProfileList reloaded = ProfileStore::Load(store, cardKey, cardHasShaderClock);
    FUZZ_REQUIRE(reloaded.size() == loaded.size());
    for (size_t i = 0; i < loaded.size(); ++i) FUZZ_REQUIRE(Same(loaded[i], reloaded[i]));
    if (!cardKey.empty()) FUZZ_REQUIRE(Settings::ReadLastCard(store) == cardKey);
    return 0;
}
