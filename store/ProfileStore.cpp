#include "store/ProfileStore.h"

#include <cwchar>

#include "store/Settings.h"

namespace ProfileStore {

std::wstring CardKey(uint16_t vendor, uint16_t device) {
    wchar_t text[10];
    std::swprintf(text, 10, L"%04X-%04X", static_cast<unsigned>(vendor), static_cast<unsigned>(device));
    return text;
}

std::wstring SectionName(const std::wstring& cardKey, int number) {
    return cardKey + L"\\Profile " + std::to_wstring(number);
}

namespace {

using Kind = StoredSection::Kind;

const wchar_t kDefaultName[] = L"New Profile";

// A number of exactly this value: absent or of another type, the read gives something else.
bool HoldsNumber(SettingsStore& store, const std::wstring& section, const wchar_t* name, uint32_t value) {
    return store.ReadInt(section, name, value ^ 1u) == value;
}

std::wstring NameOf(const PROFILE& profile) { return std::wstring(profile.name, wcsnlen(profile.name, kProfileNameMax)); }

// Whether the section holds the five values Save would write for the profile and nothing else;
// the reads the load made already settle most of it.
bool HoldsExactly(SettingsStore& store, const std::wstring& section, const PROFILE& profile, const std::wstring& name,
                  uint32_t shader, uint32_t fan) {
    if (name != NameOf(profile) || fan != profile.fan || store.EntryCount(section) != 5) return false;
    // A value other than the load's default was read as it is; only the default needs a look.
    if (shader == 0 && !HoldsNumber(store, section, L"Shader", 0)) return false;
    if (fan == 0 && !HoldsNumber(store, section, L"Fan", 0)) return false;
    return name != kDefaultName || store.ReadString(section, L"Name", L"") == name;
}

bool Same(const PROFILE& a, const PROFILE& b) {
    return NameOf(a) == NameOf(b) && a.core == b.core && a.memory == b.memory && a.shader == b.shader &&
           a.fan == b.fan;
}

void WriteProfile(SettingsStore& store, const std::wstring& section, const PROFILE& profile) {
    store.WriteValues(section, {{L"Name", NameOf(profile)},
                                {L"Core", static_cast<uint32_t>(profile.core)},
                                {L"Mem", static_cast<uint32_t>(profile.memory)},
                                {L"Shader", static_cast<uint32_t>(profile.shader)},
                                {L"Fan", uint32_t{profile.fan}}});
}

}  // namespace

ProfileList Load(SettingsStore& store, const std::wstring& cardKey, bool cardHasShaderClock, StoredSections* stored) {
    ProfileList profiles;
    if (stored) stored->fill(StoredSection{});
    if (cardKey.empty()) return profiles;
    for (int n = 0; n < kMaxLoaded; ++n) {
        const std::wstring section = SectionName(cardKey, n);
        const uint32_t core = store.ReadInt(section, L"Core", 0);
        if (core == 0) {
            // A damaged "Core" is one bad profile, not the end of the list: taken as the end, it
            // would cost every later profile at the next shutdown.
            const bool unreadable = store.HasValue(section, L"Core") && store.ReadInt(section, L"Core", 1) != 0;
            if (unreadable) continue;
            break;
        }
        const std::wstring name = store.ReadString(section, L"Name", kDefaultName);
        const uint32_t memory = store.ReadInt(section, L"Mem", 0);
        const uint32_t shader = store.ReadInt(section, L"Shader", 0);
        const uint32_t fan = store.ReadInt(section, L"Fan", 0);
        const bool shaderUsable = shader != 0 || !cardHasShaderClock;
        if (memory == 0 || !shaderUsable) continue;
        PROFILE profile{};
        SetProfileName(profile, name);
        profile.core = static_cast<int32_t>(core);
        profile.memory = static_cast<int32_t>(memory);
        profile.shader = static_cast<int32_t>(shader);
        profile.fan = static_cast<uint8_t>(fan & 0xFF);
        profiles.push_back(profile);
        if (stored && HoldsExactly(store, section, profile, name, shader, fan)) (*stored)[n] = {Kind::Exact, profile};
    }
    return profiles;
}

void Save(SettingsStore& store, const std::wstring& cardKey, const ProfileList& profiles) {
    StoredSections unknown{};
    Save(store, cardKey, profiles, unknown);
}

void Save(SettingsStore& store, const std::wstring& cardKey, const ProfileList& profiles, StoredSections& stored) {
    if (cardKey.empty()) return;
    const int count = static_cast<int>(profiles.size());
    for (int n = 0; n < kMaxCleared || n < count; ++n) {
        const PROFILE* wanted = n < count && profiles[n].core != 0 ? &profiles[n] : nullptr;
        StoredSection* known = n < kMaxCleared ? &stored[n] : nullptr;
        const Kind kind = known ? known->kind : Kind::Absent;
        if (wanted ? kind == Kind::Exact && Same(known->profile, *wanted) : kind == Kind::Absent) continue;
        const std::wstring section = SectionName(cardKey, n);
        // Over an exact section the five values are all there is; anything else may hold more.
        if (!wanted || kind == Kind::Unknown) store.DeleteSection(section);
        if (wanted) WriteProfile(store, section, *wanted);
        if (known) *known = wanted ? StoredSection{Kind::Exact, *wanted} : StoredSection{Kind::Absent, {}};
    }
}

void StoreAtShutdown(SettingsStore& store, const std::wstring& cardKey, const ProfileList& profiles) {
    StoredSections unknown{};
    StoreAtShutdown(store, cardKey, profiles, unknown);
}

void StoreAtShutdown(SettingsStore& store, const std::wstring& cardKey, const ProfileList& profiles,
                     StoredSections& stored) {
    if (cardKey.empty()) return;
    store.WriteString(L"", Settings::LastCard, cardKey);
    Save(store, cardKey, profiles, stored);
}

}  // namespace ProfileStore
