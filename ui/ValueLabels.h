#pragma once
#include <string>

// The texts beside the sliders and in the temperature box.
std::wstring ClockLabel(int mhz);
// A card without a separate shader clock reads 0.
std::wstring ShaderLabel(int mhz);
std::wstring FanLabel(int position);
std::wstring TemperatureLabel(int celsius);
