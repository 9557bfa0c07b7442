#pragma once
#include "store/SettingsStore.h"

// Every value kept directly in the application key, with its default when absent.
struct IntSetting {
    const wchar_t* name;
    uint32_t def;
};

namespace Settings {
inline constexpr const wchar_t* LastCard = L"LastCard";
inline constexpr IntSetting LastCore{L"LastCore", 0};
inline constexpr IntSetting LastMem{L"LastMem", 0};
inline constexpr IntSetting LastShader{L"LastShader", 0};
inline constexpr IntSetting LastFan{L"LastFan", 0};
inline constexpr IntSetting RestoreOC{L"RestoreOC", 0};
inline constexpr IntSetting ShowEffectiveMemClock{L"ShowEffectiveMemClock", 1};
inline constexpr IntSetting TavioStepSize{L"TavioStepSize", 5};
inline constexpr IntSetting TavioIdleReturn{L"TavioIdleReturn", 0};
// The skinned window's whole factor: 1, 2 or 3; 0 follows the screen's DPI.
inline constexpr IntSetting SkinScale{L"SkinScale", 0};

inline uint32_t Read(SettingsStore& store, const IntSetting& setting) {
    return store.ReadInt(L"", setting.name, setting.def);
}
inline void Write(SettingsStore& store, const IntSetting& setting, uint32_t value) {
    store.WriteInt(L"", setting.name, value);
}
inline std::wstring ReadLastCard(SettingsStore& store) { return store.ReadString(L"", LastCard, L""); }
}  // namespace Settings
