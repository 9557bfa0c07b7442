#pragma once
#include <optional>
#include <string>
#include <vector>

#include "gpu/FanCurve.h"

struct GraphPixel {
    int x, y;
};

// The editor's graph: 0..120 °C across and 0..100 % up inside a client area of the given size,
// with room left and below for the axis numbers.
class CFanCurveFrame {
public:
    static constexpr int kLeft = 30, kRight = 10, kTop = 10, kBottom = 20;
    // A handle answers to the mouse this many pixels around its point.
    static constexpr int kGrip = 6;

    CFanCurveFrame(int width, int height) : m_width(width), m_height(height) {}

    GraphPixel ToPixel(FanCurvePoint point) const;
    // Held to the graph's ranges.
    FanCurvePoint ToPoint(GraphPixel pixel) const;
    int PlotLeft() const { return kLeft; }
    int PlotRight() const { return m_width - kRight; }
    int PlotTop() const { return kTop; }
    int PlotBottom() const { return m_height - kBottom; }

private:
    int m_width, m_height;
};

// What the mouse does to the points; they stay a valid curve whatever it does.
namespace FanCurveEdit {
// The point whose handle is under the pixel; -1 for none.
int HandleAt(const std::vector<FanCurvePoint>& points, const CFanCurveFrame& frame, GraphPixel pixel);
// The point goes where asked, held between its neighbours' temperatures.
void Move(std::vector<FanCurvePoint>& points, int index, FanCurvePoint to);
// A point on the line under the pixel, when it is near the line, the temperature is free and
// there is room for one more; true when one was added.
bool AddOnLine(std::vector<FanCurvePoint>& points, const CFanCurveFrame& frame, GraphPixel pixel);
// False when only the fewest points a curve needs are left.
bool Remove(std::vector<FanCurvePoint>& points, int index);
// A point on the line halfway to the next one (or to the graph's end after the last); its index,
// or -1 when there is no free temperature there or no room for one more.
int InsertAfter(std::vector<FanCurvePoint>& points, int index);
// "Point 2 of 4: 60 °C, 50 %"; empty for an index that names no point.
std::wstring PointText(const std::vector<FanCurvePoint>& points, int index);

// The keyboard's list: one row per point, temperature and percent separated by a space.
std::wstring Rows(const std::vector<FanCurvePoint>& points);
std::optional<CFanCurve> FromRows(const std::wstring& rows);
}  // namespace FanCurveEdit
