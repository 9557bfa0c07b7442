#pragma once
#include <string>

// The texts beside the sliders and in the temperature box.
std::wstring ClockLabel(int mhz);
// A card without a separate shader clock reads 0.
std::wstring ShaderLabel(int mhz);
// An automatic position reads "Curve" while the fan curve drives the fan.
std::wstring FanLabel(int position, bool curveDrives = false);
std::wstring TemperatureLabel(int celsius);
