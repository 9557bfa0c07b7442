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

ProfileList Load(SettingsStore& store, const std::wstring& cardKey, bool cardHasShaderClock) {
    ProfileList profiles;
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
        const std::wstring name = store.ReadString(section, L"Name", L"New Profile");
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
    }
    return profiles;
}

void Save(SettingsStore& store, const std::wstring& cardKey, const ProfileList& profiles) {
    if (cardKey.empty()) return;
    for (int n = 0; n < kMaxCleared; ++n) store.DeleteSection(SectionName(cardKey, n));
    for (size_t n = 0; n < profiles.size(); ++n) {
        const PROFILE& profile = profiles[n];
        if (profile.core == 0) continue;
        const std::wstring section = SectionName(cardKey, static_cast<int>(n));
        store.WriteString(section, L"Name", std::wstring(profile.name, wcsnlen(profile.name, kProfileNameMax)));
        store.WriteInt(section, L"Core", static_cast<uint32_t>(profile.core));
        store.WriteInt(section, L"Mem", static_cast<uint32_t>(profile.memory));
        store.WriteInt(section, L"Shader", static_cast<uint32_t>(profile.shader));
        store.WriteInt(section, L"Fan", profile.fan);
    }
}

void StoreAtShutdown(SettingsStore& store, const std::wstring& cardKey, const ProfileList& profiles) {
    if (cardKey.empty()) return;
    store.WriteString(L"", Settings::LastCard, cardKey);
    Save(store, cardKey, profiles);
}

}  // namespace ProfileStore
