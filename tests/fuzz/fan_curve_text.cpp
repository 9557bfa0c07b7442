// Fuzz target: any stored curve text and any typed rows. What is taken must be a curve that keeps
// every rule, survives its own text, and never gives a level outside its points' percents.
#include <algorithm>
#include <string>

#include "gpu/FanCurve.h"
#include "tests/fuzz/fuzz_require.h"
#include "ui/FanCurveEdit.h"

namespace {
void CheckCurve(const CFanCurve& curve) {
    const std::vector<FanCurvePoint>& points = curve.Points();
    FUZZ_REQUIRE(points.size() >= CFanCurve::kMinPoints && points.size() <= CFanCurve::kMaxPoints);
    int lowest = CFanCurve::kMaxPercent, highest = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        FUZZ_REQUIRE(points[i].celsius >= 0 && points[i].celsius <= CFanCurve::kMaxCelsius);
        FUZZ_REQUIRE(points[i].percent >= 0 && points[i].percent <= CFanCurve::kMaxPercent);
        FUZZ_REQUIRE(i == 0 || points[i].celsius > points[i - 1].celsius);
        lowest = std::min(lowest, points[i].percent);
        highest = std::max(highest, points[i].percent);
    }
    for (int celsius = -5; celsius <= CFanCurve::kMaxCelsius + 5; ++celsius) {
        const int percent = curve.PercentAt(celsius);
        FUZZ_REQUIRE(percent >= lowest && percent <= highest);
    }
    const std::optional<CFanCurve> again = CFanCurve::Parse(curve.Text());
    FUZZ_REQUIRE(again && again->Text() == curve.Text());
    const std::optional<CFanCurve> rows = FanCurveEdit::FromRows(FanCurveEdit::Rows(points));
    FUZZ_REQUIRE(rows && rows->Text() == curve.Text());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Bytes as the registry's UTF-16 units, and each byte alone as the rows a user types.
    std::wstring units, typed;
    for (size_t i = 0; i + 1 < size; i += 2) units.push_back(static_cast<wchar_t>(data[i] | data[i + 1] << 8));
    for (size_t i = 0; i < size; ++i) typed.push_back(static_cast<wchar_t>(data[i]));
    for (const std::optional<CFanCurve>& curve :
         {CFanCurve::Parse(units), CFanCurve::Parse(typed), FanCurveEdit::FromRows(typed)})
        if (curve) CheckCurve(*curve);
    return 0;
}
