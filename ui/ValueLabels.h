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
std::wstring TemperatureLabel(int celsius);

// The tray icon's tooltip: the product's name, then once the clocks were read what the card runs,
// the memory clock in the slider's units.
std::wstring TrayTip(int celsius, const std::optional<CardClocks>& clocks, int memoryFactor,
                     std::optional<int> fanPosition);
