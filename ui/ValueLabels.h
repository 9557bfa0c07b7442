#pragma once
#include <optional>
#include <string>

#include "gpu/Card.h"

// The texts beside the sliders and in the temperature box.
std::wstring ClockLabel(int mhz);
// A card without a separate shader clock reads 0.
std::wstring ShaderLabel(int mhz);
// An automatic position reads "Curve" while the fan curve drives the fan.
std::wstring FanLabel(int position, bool curveDrives = false);
// The fan as a sentence names it: "Curve 45 %" while the curve holds a level.
std::wstring FanReading(int position, bool curveDrives, std::optional<int> curveLevel);
std::wstring TemperatureLabel(int celsius);

// The tray icon's tooltip: the product's name, then once the clocks were read what the card runs,
// the memory clock in the slider's units, the fan as FanReading names it, and the time the
// temperature guard last acted; followed names a program whose profile runs.
std::wstring TrayTip(int celsius, const std::optional<CardClocks>& clocks, int memoryFactor,
                     const std::optional<std::wstring>& fan, const std::wstring& guardActed = L"",
                     const std::wstring& followed = L"");

// The balloon of a temperature guard that acted at a time ("14:05"): the reading, or nullopt when
// the reads failed.
std::wstring TempGuardBalloon(std::optional<int> celsius, const std::wstring& time);
