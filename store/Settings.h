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
inline constexpr IntSetting MonitorSpan{L"MonitorSpan", 5};
// The monitor window's outer rectangle; a width of 0 means it was never placed.
inline constexpr IntSetting MonitorLeft{L"MonitorLeft", 0};
inline constexpr IntSetting MonitorTop{L"MonitorTop", 0};
inline constexpr IntSetting MonitorWidth{L"MonitorWidth", 0};
inline constexpr IntSetting MonitorHeight{L"MonitorHeight", 0};
// A path; empty or absent: no log.
inline constexpr const wchar_t* MonitorLogFile = L"MonitorLogFile";
inline constexpr IntSetting ProfileHotkeys{L"ProfileHotkeys", 0};
inline constexpr IntSetting ConfirmApply{L"ConfirmApply", 0};
inline constexpr IntSetting ReapplyOnResume{L"ReapplyOnResume", 0};
inline constexpr IntSetting FanCurveOn{L"FanCurveOn", 0};
inline constexpr const wchar_t* FanCurve = L"FanCurve";
inline constexpr IntSetting FanCurveHysteresis{L"FanCurveHysteresis", 2};
// 1 while this program has put an overclock or a fan it holds on the card, until a clean end or
// Reset; found at a start, the last session ended badly.
inline constexpr IntSetting OverclockRunning{L"OverclockRunning", 0};
// 0: the start-up restores whatever the last session ended like.
inline constexpr IntSetting CrashGuard{L"CrashGuard", 1};
// The driver version the "Last*" values were applied under; 0 when unknown.
inline constexpr IntSetting LastDriverVersion{L"LastDriverVersion", 0};
// The temperature guard's limit in degrees Celsius, 60 to 110; 0 or any other value: off.
inline constexpr IntSetting TempGuardC{L"TempGuardC", 0};
// The clock scan: where it stood before its test under way (text written durably; empty once it
// ended), and its last result.
inline constexpr const wchar_t* ScanState = L"ScanState";
inline constexpr const wchar_t* LastScan = L"LastScan";
// 1: the profiles of the rules under "Programs" follow the programs that run.
inline constexpr IntSetting FollowPrograms{L"FollowPrograms", 0};
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
