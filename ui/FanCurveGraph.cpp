#include "ui/FanCurveGraph.h"

#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>
#include <string>

#include "framework/Gdi.h"
#include "framework/GdiObject.h"
#include "ui/FanCurveEdit.h"

namespace {
constexpr COLORREF kBackground = RGB(255, 255, 255), kGrid = RGB(224, 224, 224), kAxisText = RGB(96, 96, 96),
                   kLine = RGB(0, 90, 200), kHandle = RGB(0, 50, 130), kMarker = RGB(220, 40, 40);
constexpr int kHandleHalf = 3, kMarkerRadius = 4;

CFanCurveFrame FrameOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return CFanCurveFrame(client.right, client.bottom);
}

void Line(HDC dc, GraphPixel from, GraphPixel to) {
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
}

// Centred under its grid line and held inside the graph: the last one would be cut at the edge.
void AxisLabel(HDC dc, int centre, int y, int graphWidth, int number) {
    const std::wstring label = std::to_wstring(number);
    SIZE extent{};
    GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &extent);
    const int width = static_cast<int>(extent.cx);
    const int x = std::clamp(centre - width / 2, 0, std::max(0, graphWidth - width));
    TextOutW(dc, x, y, label.c_str(), static_cast<int>(label.size()));
}

void DrawGrid(HDC dc, const CFanCurveFrame& frame) {
    CGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, kGrid));
    const HGDIOBJ previous = SelectObject(dc, pen.Get());
    SetTextColor(dc, kAxisText);
    SetBkMode(dc, TRANSPARENT);
    for (int celsius = 0; celsius <= CFanCurve::kMaxCelsius; celsius += 10) {
        const GraphPixel bottom = frame.ToPixel({celsius, 0});
        Line(dc, bottom, frame.ToPixel({celsius, CFanCurve::kMaxPercent}));
        if (celsius % 20 == 0) AxisLabel(dc, bottom.x, bottom.y + 3, frame.PlotRight() + CFanCurveFrame::kRight, celsius);
    }
    for (int percent = 0; percent <= CFanCurve::kMaxPercent; percent += 10) {
        const GraphPixel left = frame.ToPixel({0, percent});
        Line(dc, left, frame.ToPixel({CFanCurve::kMaxCelsius, percent}));
        const std::wstring label = std::to_wstring(percent);
        if (percent % 20 == 0) TextOutW(dc, 2, left.y - 7, label.c_str(), static_cast<int>(label.size()));
    }
    SelectObject(dc, previous);
}

void DrawCurve(HDC dc, const CFanCurveFrame& frame, const std::vector<FanCurvePoint>& points) {
    if (points.empty()) return;
    CGdiObject<HPEN> pen(CreatePen(PS_SOLID, 2, kLine));
    CGdiObject<HBRUSH> brush(CreateSolidBrush(kHandle));
    const HGDIOBJ previous = SelectObject(dc, pen.Get());
    // Flat beyond the first and the last point, as the fan follows it.
    GraphPixel from = frame.ToPixel({0, points.front().percent});
    for (const FanCurvePoint& point : points) {
        const GraphPixel to = frame.ToPixel(point);
        Line(dc, from, to);
        from = to;
    }
    Line(dc, from, frame.ToPixel({CFanCurve::kMaxCelsius, points.back().percent}));
    for (const FanCurvePoint& point : points) {
        const GraphPixel at = frame.ToPixel(point);
        const RECT handle{at.x - kHandleHalf, at.y - kHandleHalf, at.x + kHandleHalf + 1, at.y + kHandleHalf + 1};
        FillRect(dc, &handle, brush.Get());
    }
    SelectObject(dc, previous);
}

void DrawChosen(HDC dc, const CFanCurveFrame& frame, FanCurvePoint point) {
    CGdiObject<HPEN> pen(CreatePen(PS_DOT, 1, kHandle));
    const HGDIOBJ previousPen = SelectObject(dc, pen.Get());
    const HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const GraphPixel at = frame.ToPixel(point);
    const int r = kHandleHalf + 3;
    Rectangle(dc, at.x - r, at.y - r, at.x + r + 1, at.y + r + 1);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
}

void DrawMarker(HDC dc, const CFanCurveFrame& frame, FanCurvePoint marker) {
    CGdiObject<HBRUSH> brush(CreateSolidBrush(kMarker));
    const HGDIOBJ previousBrush = SelectObject(dc, brush.Get());
    const HGDIOBJ previousPen = SelectObject(dc, GetStockObject(NULL_PEN));
    const GraphPixel at = frame.ToPixel(marker);
    Ellipse(dc, at.x - kMarkerRadius, at.y - kMarkerRadius, at.x + kMarkerRadius + 1, at.y + kMarkerRadius + 1);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
}
}  // namespace

bool CFanCurveGraph::RegisterClass() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kClassName, &wc)) return true;
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
}

void CFanCurveGraph::PreSubclassWindow() {
    m_access.Attach(m_hWnd, [this] {
        AccessiblePart graph{ROLE_SYSTEM_CHART, L"Fan curve", FanCurveEdit::PointText(m_points, m_chosen)};
        return std::vector<AccessiblePart>{graph};
    });
}

void CFanCurveGraph::SetPoints(std::vector<FanCurvePoint> points) {
    m_points = std::move(points);
    m_dragged = -1;
    m_chosen = std::clamp(m_chosen, 0, std::max(0, static_cast<int>(m_points.size()) - 1));
    Invalidate(FALSE);
    m_access.Refresh();
}

void CFanCurveGraph::SetMarker(std::optional<FanCurvePoint> marker) {
    if (marker && m_marker && marker->celsius == m_marker->celsius && marker->percent == m_marker->percent) return;
    m_marker = marker;
    Invalidate(FALSE);
}

void CFanCurveGraph::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    CMemoryDC buffer;
    if (buffer.CreateCompatible(dc, client.right, client.bottom)) {
        Draw(buffer.Get(), client.right, client.bottom);
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
    }
    EndPaint(m_hWnd, &paint);
}

void CFanCurveGraph::Draw(HDC dc, int width, int height) const {
    const RECT all{0, 0, width, height};
    CGdiObject<HBRUSH> background(CreateSolidBrush(kBackground));
    FillRect(dc, &all, background.Get());
    const HGDIOBJ previousFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const CFanCurveFrame frame(width, height);
    DrawGrid(dc, frame);
    DrawCurve(dc, frame, m_points);
    if (m_marker) DrawMarker(dc, frame, *m_marker);
    if (GetFocus() == m_hWnd && static_cast<size_t>(m_chosen) < m_points.size())
        DrawChosen(dc, frame, m_points[m_chosen]);
    SelectObject(dc, previousFont);
}

void CFanCurveGraph::OnButtonDown(int x, int y) {
    SetFocus(m_hWnd);
    m_dragged = FanCurveEdit::HandleAt(m_points, FrameOf(m_hWnd), {x, y});
    if (m_dragged < 0) return;
    m_chosen = m_dragged;
    SetCapture(m_hWnd);
}

void CFanCurveGraph::OnMouseMove(int x, int y) {
    if (m_dragged < 0) return;
    FanCurveEdit::Move(m_points, m_dragged, FrameOf(m_hWnd).ToPoint({x, y}));
    Edited();
}

void CFanCurveGraph::OnDoubleClick(int x, int y) {
    if (FanCurveEdit::HandleAt(m_points, FrameOf(m_hWnd), {x, y}) < 0 &&
        FanCurveEdit::AddOnLine(m_points, FrameOf(m_hWnd), {x, y}))
        Edited();
}

void CFanCurveGraph::OnRightClick(int x, int y) {
    if (FanCurveEdit::Remove(m_points, FanCurveEdit::HandleAt(m_points, FrameOf(m_hWnd), {x, y}))) Edited();
}

void CFanCurveGraph::Edited() {
    m_chosen = std::clamp(m_chosen, 0, std::max(0, static_cast<int>(m_points.size()) - 1));
    Invalidate(FALSE);
    m_owner.PointsEdited();
    m_access.Refresh();
}

bool CFanCurveGraph::OnKey(WPARAM key) {
    const int last = static_cast<int>(m_points.size()) - 1;
    if (last < 0) return false;
    const FanCurvePoint at = m_points[m_chosen];
    switch (key) {
    case VK_LEFT: FanCurveEdit::Move(m_points, m_chosen, {at.celsius - 1, at.percent}); break;
    case VK_RIGHT: FanCurveEdit::Move(m_points, m_chosen, {at.celsius + 1, at.percent}); break;
    case VK_UP: FanCurveEdit::Move(m_points, m_chosen, {at.celsius, at.percent + 1}); break;
    case VK_DOWN: FanCurveEdit::Move(m_points, m_chosen, {at.celsius, at.percent - 1}); break;
    case VK_PRIOR: m_chosen = std::max(0, m_chosen - 1); break;
    case VK_NEXT: m_chosen = std::min(last, m_chosen + 1); break;
    case VK_INSERT:
        if (const int added = FanCurveEdit::InsertAfter(m_points, m_chosen); added >= 0) m_chosen = added;
        break;
    case VK_DELETE:
        if (FanCurveEdit::Remove(m_points, m_chosen)) m_chosen = std::min(m_chosen, last - 1);
        break;
    default: return false;
    }
    Edited();
    return true;
}

LRESULT CFanCurveGraph::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: OnButtonDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_MOUSEMOVE: OnMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (m_dragged >= 0 && GetCapture() == m_hWnd) ReleaseCapture();
        m_dragged = -1;
        return 0;
    case WM_LBUTTONDBLCLK: OnDoubleClick(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_RBUTTONDOWN: OnRightClick(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (OnKey(wp)) return 0;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Invalidate(FALSE); break;
    }
    return CWnd::WindowProc(msg, wp, lp);
}
