#pragma once
#include "gpu/FanCurve.h"
#include "store/Settings.h"

// The curve's three stored values as the program uses them: anything out of its rules reads as
// the default, so a damaged value never drives a fan.
struct FanCurveSettings {
    static constexpr int kMaxHysteresis = 10;

    bool on = false;
    CFanCurve curve = CFanCurve::Default();
    int hysteresis = static_cast<int>(Settings::FanCurveHysteresis.def);
    // A stored curve was there and broke a rule (the default stands in).
    bool storedCurveInvalid = false;
};

FanCurveSettings ReadFanCurveSettings(SettingsStore& store);
void WriteFanCurveSettings(SettingsStore& store, const FanCurveSettings& settings);
