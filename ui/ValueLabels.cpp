#include "ui/ValueLabels.h"

#include "gpu/FanPosition.h"
#include "res/resource.h"
#include "ui/Truncate.h"

std::wstring ClockLabel(int mhz) { return std::to_wstring(mhz) + L" MHz"; }

std::wstring ShaderLabel(int mhz) { return mhz == 0 ? L"N/A" : ClockLabel(mhz); }

std::wstring FanLabel(int position, bool curveDrives) {
    if (!IsAutomaticFan(position)) return std::to_wstring(position) + L" %";
    return curveDrives ? L"Curve" : L"Auto";
}

std::wstring FanReading(int position, bool curveDrives, std::optional<int> curveLevel) {
    if (!IsAutomaticFan(position) || !curveDrives || !curveLevel) return FanLabel(position, curveDrives);
    return L"Curve " + std::to_wstring(*curveLevel) + L" %";
}

std::wstring TemperatureLabel(int celsius) { return std::to_wstring(celsius); }

std::wstring TrayTip(int celsius, const std::optional<CardClocks>& clocks, int memoryFactor,
                     const std::optional<std::wstring>& fan, const std::wstring& guardActed,
                     const std::wstring& followed) {
    std::wstring tip = OSKARA_WINDOW_TITLE;
    if (!clocks) return followed.empty() ? tip : tip + L"\n" + followed;
    tip += L" - " + std::to_wstring(celsius) + L" \u00B0C, " + std::to_wstring(TruncToInt(clocks->core)) + L"/" +
           std::to_wstring(TruncToInt(clocks->memory * memoryFactor));
    // A card without its own shader clock has no third figure.
    if (const int shader = TruncToInt(clocks->shader)) tip += L"/" + std::to_wstring(shader);
    tip += L" MHz";
    if (fan) tip += L", fan " + *fan;
    if (!guardActed.empty()) tip += L"\nDefaults put back (too hot) at " + guardActed;
    if (!followed.empty()) tip += L"\n" + followed;
    return tip;
}

std::wstring TempGuardBalloon(std::optional<int> celsius, const std::wstring& time) {
    const std::wstring why = celsius ? L"The card reached " + std::to_wstring(*celsius) + L" \u00B0C"
                                     : L"The card's temperature could not be read";
    return why + L" at " + time + L": the default clocks are back on it. Your overclock is still stored.";
}
