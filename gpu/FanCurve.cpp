#include "gpu/FanCurve.h"

#include <cmath>

namespace {
// Three digits hold every valid value; more could only overflow on the way to a rejection.
constexpr size_t kMaxDigits = 3;

bool ReadNumber(const std::wstring& text, size_t& at, int& value) {
    while (at < text.size() && text[at] == L' ') ++at;
    size_t digits = 0;
    value = 0;
    while (at < text.size() && text[at] >= L'0' && text[at] <= L'9') {
        if (++digits > kMaxDigits) return false;
        value = value * 10 + (text[at++] - L'0');
    }
    while (at < text.size() && text[at] == L' ') ++at;
    return digits > 0;
}

bool Expect(const std::wstring& text, size_t& at, wchar_t what) {
    if (at >= text.size() || text[at] != what) return false;
    ++at;
    return true;
}
}  // namespace

std::optional<CFanCurve> CFanCurve::Parse(const std::wstring& text) {
    std::vector<FanCurvePoint> points;
    size_t at = 0;
    do {
        FanCurvePoint point{};
        if (points.size() == kMaxPoints || !ReadNumber(text, at, point.celsius) || !Expect(text, at, L':') ||
            !ReadNumber(text, at, point.percent))
            return std::nullopt;
        points.push_back(point);
    } while (Expect(text, at, L','));
    if (at != text.size()) return std::nullopt;
    return FromPoints(std::move(points));
}

std::optional<CFanCurve> CFanCurve::FromPoints(std::vector<FanCurvePoint> points) {
    if (points.size() < kMinPoints || points.size() > kMaxPoints) return std::nullopt;
    int previous = -1, previousPercent = 0;
    for (const FanCurvePoint& point : points) {
        // A fan that slows as the card heats is never what a curve is for.
        if (point.celsius <= previous || point.celsius > kMaxCelsius || point.percent < previousPercent ||
            point.percent > kMaxPercent)
            return std::nullopt;
        previous = point.celsius;
        previousPercent = point.percent;
    }
    return CFanCurve(std::move(points));
}

CFanCurve CFanCurve::Default() { return *Parse(kDefaultText); }

std::wstring CFanCurve::Text() const {
    std::wstring text;
    for (const FanCurvePoint& point : m_points) {
        if (!text.empty()) text += L',';
        text += std::to_wstring(point.celsius) + L':' + std::to_wstring(point.percent);
    }
    return text;
}

int CFanCurve::PercentAt(int celsius) const {
    if (celsius <= m_points.front().celsius) return m_points.front().percent;
    for (size_t i = 1; i < m_points.size(); ++i) {
        const FanCurvePoint& low = m_points[i - 1];
        const FanCurvePoint& high = m_points[i];
        if (celsius > high.celsius) continue;
        const double share = double(celsius - low.celsius) / (high.celsius - low.celsius);
        return static_cast<int>(std::lround(low.percent + share * (high.percent - low.percent)));
    }
    return m_points.back().percent;
}

bool CFanCurve::IsPointPercent(int percent) const {
    for (const FanCurvePoint& point : m_points)
        if (point.percent == percent) return true;
    return false;
}
