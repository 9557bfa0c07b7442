#include "ui/FanCurveSettings.h"

#include "store/Settings.h"

FanCurveSettings ReadFanCurveSettings(SettingsStore& store) {
    FanCurveSettings settings;
    settings.on = Settings::Read(store, Settings::FanCurveOn) == 1;
    const uint32_t hysteresis = Settings::Read(store, Settings::FanCurveHysteresis);
    if (hysteresis <= FanCurveSettings::kMaxHysteresis) settings.hysteresis = static_cast<int>(hysteresis);
    if (store.HasValue(L"", Settings::FanCurve)) {
        // A value of another type reads as empty text, which is no curve either.
        std::optional<CFanCurve> stored = CFanCurve::Parse(store.ReadString(L"", Settings::FanCurve, L""));
        if (stored)
            settings.curve = *stored;
        else
            settings.storedCurveInvalid = true;
    }
    return settings;
}

void WriteFanCurveSettings(SettingsStore& store, const FanCurveSettings& settings) {
    Settings::Write(store, Settings::FanCurveOn, settings.on ? 1 : 0);
    store.WriteString(L"", Settings::FanCurve, settings.curve.Text());
    Settings::Write(store, Settings::FanCurveHysteresis, static_cast<uint32_t>(settings.hysteresis));
}
