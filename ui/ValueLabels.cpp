#include "ui/ValueLabels.h"

#include "gpu/FanPosition.h"

std::wstring ClockLabel(int mhz) { return std::to_wstring(mhz) + L" MHz"; }

std::wstring ShaderLabel(int mhz) { return mhz == 0 ? L"N/A" : ClockLabel(mhz); }

std::wstring FanLabel(int position) { return IsAutomaticFan(position) ? L"Auto" : std::to_wstring(position) + L" %"; }

std::wstring TemperatureLabel(int celsius) { return std::to_wstring(celsius); }
