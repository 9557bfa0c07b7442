#include "ui/ValueLabels.h"

#include "gpu/FanPosition.h"

std::wstring ClockLabel(int mhz) { return std::to_wstring(mhz) + L" MHz"; }

std::wstring ShaderLabel(int mhz) { return mhz == 0 ? L"N/A" : ClockLabel(mhz); }

std::wstring FanLabel(int position, bool curveDrives) {
    if (!IsAutomaticFan(position)) return std::to_wstring(position) + L" %";
    return curveDrives ? L"Curve" : L"Auto";
}

std::wstring TemperatureLabel(int celsius) { return std::to_wstring(celsius); }
