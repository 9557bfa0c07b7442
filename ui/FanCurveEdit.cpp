#include "ui/FanCurveEdit.h"

#include <algorithm>
#include <cmath>

namespace {
int Scaled(int value, int range, int span) { return static_cast<int>(std::lround(double(value) * span / range)); }
}  // namespace

GraphPixel CFanCurveFrame::ToPixel(FanCurvePoint point) const {
    return {PlotLeft() + Scaled(point.celsius, CFanCurve::kMaxCelsius, PlotRight() - PlotLeft()),
            PlotBottom() - Scaled(point.percent, CFanCurve::kMaxPercent, PlotBottom() - PlotTop())};
}

FanCurvePoint CFanCurveFrame::ToPoint(GraphPixel pixel) const {
    const int width = std::max(1, PlotRight() - PlotLeft()), height = std::max(1, PlotBottom() - PlotTop());
    const int celsius = Scaled(pixel.x - PlotLeft(), width, CFanCurve::kMaxCelsius);
    const int percent = Scaled(PlotBottom() - pixel.y, height, CFanCurve::kMaxPercent);
    return {std::clamp(celsius, 0, CFanCurve::kMaxCelsius), std::clamp(percent, 0, CFanCurve::kMaxPercent)};
}

namespace FanCurveEdit {

int HandleAt(const std::vector<FanCurvePoint>& points, const CFanCurveFrame& frame, GraphPixel pixel) {
    for (size_t i = 0; i < points.size(); ++i) {
        const GraphPixel at = frame.ToPixel(points[i]);
        if (std::abs(at.x - pixel.x) <= CFanCurveFrame::kGrip && std::abs(at.y - pixel.y) <= CFanCurveFrame::kGrip)
            return static_cast<int>(i);
    }
    return -1;
}

void Move(std::vector<FanCurvePoint>& points, int index, FanCurvePoint to) {
    if (index < 0 || static_cast<size_t>(index) >= points.size()) return;
    const int lowest = index == 0 ? 0 : points[index - 1].celsius + 1;
    const int highest = static_cast<size_t>(index) + 1 == points.size() ? CFanCurve::kMaxCelsius
                                                                         : points[index + 1].celsius - 1;
    points[index] = {std::clamp(to.celsius, lowest, highest), std::clamp(to.percent, 0, CFanCurve::kMaxPercent)};
}

bool AddOnLine(std::vector<FanCurvePoint>& points, const CFanCurveFrame& frame, GraphPixel pixel) {
    const std::optional<CFanCurve> curve = CFanCurve::FromPoints(points);
    if (!curve || points.size() >= CFanCurve::kMaxPoints) return false;
    const int celsius = frame.ToPoint(pixel).celsius;
    const FanCurvePoint added{celsius, curve->PercentAt(celsius)};
    if (std::abs(frame.ToPixel(added).y - pixel.y) > CFanCurveFrame::kGrip) return false;
    const auto place = std::find_if(points.begin(), points.end(),
                                    [&](const FanCurvePoint& p) { return p.celsius >= celsius; });
    if (place != points.end() && place->celsius == celsius) return false;
    points.insert(place, added);
    return true;
}

bool Remove(std::vector<FanCurvePoint>& points, int index) {
    if (points.size() <= CFanCurve::kMinPoints || index < 0 || static_cast<size_t>(index) >= points.size())
        return false;
    points.erase(points.begin() + index);
    return true;
}

int InsertAfter(std::vector<FanCurvePoint>& points, int index) {
    const std::optional<CFanCurve> curve = CFanCurve::FromPoints(points);
    if (!curve || points.size() >= CFanCurve::kMaxPoints || index < 0 || static_cast<size_t>(index) >= points.size())
        return -1;
    const bool last = static_cast<size_t>(index) + 1 == points.size();
    const int from = points[index].celsius;
    const int to = last ? CFanCurve::kMaxCelsius + 1 : points[index + 1].celsius;
    if (to - from < 2) return -1;
    const int celsius = from + (to - from) / 2;
    points.insert(points.begin() + index + 1, FanCurvePoint{celsius, curve->PercentAt(celsius)});
    return index + 1;
}

std::wstring PointText(const std::vector<FanCurvePoint>& points, int index) {
    if (index < 0 || static_cast<size_t>(index) >= points.size()) return L"";
    const FanCurvePoint& point = points[index];
    return L"Point " + std::to_wstring(index + 1) + L" of " + std::to_wstring(points.size()) + L": " +
           std::to_wstring(point.celsius) + L" \u00B0C, " + std::to_wstring(point.percent) + L" %";
}

std::wstring Rows(const std::vector<FanCurvePoint>& points) {
    std::wstring rows;
    for (const FanCurvePoint& point : points)
        rows += std::to_wstring(point.celsius) + L' ' + std::to_wstring(point.percent) + L"\r\n";
    return rows;
}

std::optional<CFanCurve> FromRows(const std::wstring& rows) {
    // Each row becomes "t:p" for the one parser; a row of other than two numbers breaks it.
    std::wstring text;
    size_t start = 0;
    while (start <= rows.size()) {
        size_t end = rows.find(L'\n', start);
        if (end == std::wstring::npos) end = rows.size();
        std::wstring row = rows.substr(start, end - start);
        std::replace(row.begin(), row.end(), L'\t', L' ');
        std::replace(row.begin(), row.end(), L'\r', L' ');
        const size_t first = row.find_first_not_of(L' ');
        if (first != std::wstring::npos) {
            const size_t last = row.find_last_not_of(L' ');
            row = row.substr(first, last - first + 1);
            const size_t gap = row.find(L' ');
            if (gap == std::wstring::npos) return std::nullopt;
            if (!text.empty()) text += L',';
            text += row.substr(0, gap) + L':' + row.substr(row.find_first_not_of(L' ', gap));
        }
        start = end + 1;
    }
    return CFanCurve::Parse(text);
}

}  // namespace FanCurveEdit
