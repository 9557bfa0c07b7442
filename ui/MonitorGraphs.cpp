// The monitor window's drawing into its buffer.
#include "ui/MonitorWnd.h"

#include <algorithm>
#include <vector>

#include <oleacc.h>

#include "framework/GdiObject.h"
#include "res/resource.h"

namespace {
// At 96 DPI.
constexpr int kBarHeight = 34;
constexpr int kTextWidth = 150;
constexpr int kMargin = 8;
constexpr COLORREF kPlotBackground = RGB(255, 255, 255), kGrid = RGB(220, 220, 220), kFrame = RGB(128, 128, 128);

using CPen = CGdiObject<HPEN>;
using CBrush = CGdiObject<HBRUSH>;

// A line of a graph: its name, colour and the value it takes from a sample (0 or below: none).
struct Line {
    const wchar_t* name;
    const wchar_t* unit;
    COLORREF color;
    int (*value)(const MonitorSample&);
};
struct Graph {
    Line lines[2];
    int lineCount;
    bool clocks;
};
int Temperature(const MonitorSample& s) { return s.temperature; }
int Core(const MonitorSample& s) { return s.core; }
int Shader(const MonitorSample& s) { return s.shader; }
int Memory(const MonitorSample& s) { return s.memory; }
int Fan(const MonitorSample& s) { return s.fan; }
constexpr Graph kGraphs[4] = {
    {{{L"Temperature", L"\u00B0C", RGB(200, 40, 40), Temperature}}, 1, false},
    {{{L"Core", L"MHz", RGB(30, 90, 200), Core}, {L"Shader", L"MHz", RGB(30, 150, 60), Shader}}, 2, true},
    {{{L"Memory", L"MHz", RGB(130, 50, 160), Memory}}, 1, true},
    {{{L"Fan", L"%", RGB(0, 130, 140), Fan}}, 1, false},
};
// Fan readings are real at 0 %; clocks and temperatures of 0 mean the card gave none.
bool HasValue(int graph, int value) { return graph == 3 ? value >= 0 : value > 0; }

void Fill(HDC dc, const RECT& r, COLORREF color) {
    CBrush brush(CreateSolidBrush(color));
    FillRect(dc, &r, brush.Get());
}

// Drawing limited to one rectangle for as long as it lives.
class ClipTo {
public:
    ClipTo(HDC dc, const RECT& r) : m_dc(dc), m_saved(SaveDC(dc)) { IntersectClipRect(dc, r.left, r.top, r.right, r.bottom); }
    ~ClipTo() { RestoreDC(m_dc, m_saved); }
    ClipTo(const ClipTo&) = delete;
    ClipTo& operator=(const ClipTo&) = delete;

private:
    HDC m_dc;
    int m_saved;
};
}  // namespace

CMonitorWnd::Place CMonitorWnd::PlaceOf(int graph) const {
    const int each = std::max((m_height - Px(kBarHeight)) / 4, Px(24));
    const int top = Px(kBarHeight) + graph * each;
    const RECT plot{Px(kMargin), top + Px(4), std::max(m_width - Px(kTextWidth), Px(kMargin + 32)),
                    top + each - Px(6)};
    const LONG textLeft = plot.right + Px(10);
    return {plot, {textLeft, plot.top, std::max<LONG>(m_width - Px(4), textLeft), plot.bottom}};
}

// Only the clock graphs move their scale: to the lowest and highest of what the span shows.
std::array<ValueScale, 4> CMonitorWnd::Scales() const {
    const MonitorHistory& history = m_owner.History();
    int lowest[4] = {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}, highest[4] = {0, 0, 0, 0};
    if (history.Size() > 0) {
        const uint32_t newest = history.Newest().second;
        for (size_t i = history.Size(); i-- > 0;) {
            const MonitorSample& s = history.At(i);
            if (newest - s.second > static_cast<uint32_t>(SpanSeconds())) break;
            for (int g = 1; g <= 2; ++g) {
                for (int l = 0; l < kGraphs[g].lineCount; ++l) {
                    const int v = kGraphs[g].lines[l].value(s);
                    if (!HasValue(g, v)) continue;
                    lowest[g] = std::min(lowest[g], v);
                    highest[g] = std::max(highest[g], v);
                }
            }
        }
    }
    return {kTemperatureScale, ClockScale(lowest[1], highest[1]), ClockScale(lowest[2], highest[2]), kFanScale};
}

void CMonitorWnd::Redraw() {
    if (!m_buffer) return;
    HDC dc = m_buffer.Get();
    Fill(dc, RECT{0, 0, m_width, m_height}, GetSysColor(COLOR_BTNFACE));
    m_scales = Scales();
    const MonitorHistory& history = m_owner.History();
    m_column =
        history.Size() ? ColumnOf(history.Newest().second, PlaceOf(0).plot.right - Px(kMargin), SpanSeconds()) : 0;
    for (int g = 0; g < 4; ++g) {
        DrawPlot(g);
        DrawValues(g);
    }
}

void CMonitorWnd::DrawPlot(int graph) {
    HDC dc = m_buffer.Get();
    const RECT plot = PlaceOf(graph).plot;
    RECT frame = plot;
    InflateRect(&frame, 1, 1);
    CBrush frameBrush(CreateSolidBrush(kFrame));
    FrameRect(dc, &frame, frameBrush.Get());
    ClearColumns(graph, plot.left, plot.right);
    const MonitorHistory& history = m_owner.History();
    const int width = plot.right - plot.left;
    size_t oldest = history.Size() ? history.Size() - 1 : 0;
    while (oldest > 0 && m_column - ColumnOf(history.At(oldest).second, width, SpanSeconds()) <= width) --oldest;
    DrawLines(graph, oldest);
}

void CMonitorWnd::ClearColumns(int graph, int left, int right) {
    HDC dc = m_buffer.Get();
    const RECT plot = PlaceOf(graph).plot;
    Fill(dc, RECT{left, plot.top, right, plot.bottom}, kPlotBackground);
    CPen pen(CreatePen(PS_SOLID, 1, kGrid));
    const HGDIOBJ old = SelectObject(dc, pen.Get());
    for (int quarter = 1; quarter < 4; ++quarter) {
        const int y = plot.top + (plot.bottom - plot.top) * quarter / 4;
        MoveToEx(dc, left, y, nullptr);
        LineTo(dc, right, y);
    }
    SelectObject(dc, old);
}

void CMonitorWnd::ScrollPlot(int graph, int columns) {
    const RECT plot = PlaceOf(graph).plot;
    const int width = plot.right - plot.left;
    HDC dc = m_buffer.Get();
    BitBlt(dc, plot.left, plot.top, width - columns, plot.bottom - plot.top, dc, plot.left + columns, plot.top, SRCCOPY);
    ClearColumns(graph, plot.right - columns, plot.right);
}

// The automatic fan is drawn dotted at the level read back from the card. Each run of segments
// drawn alike is one polyline: the dots start afresh with every line drawn, and a run of short
// segments each begun on a dot would look solid.
void CMonitorWnd::DrawLines(int graph, size_t oldest) {
    const RECT plot = PlaceOf(graph).plot;
    const int width = plot.right - plot.left, height = plot.bottom - plot.top;
    const MonitorHistory& history = m_owner.History();
    HDC dc = m_buffer.Get();
    ClipTo clip(dc, plot);
    const auto pointOf = [&](const MonitorSample& s, int value) {
        return POINT{plot.right - 1 - static_cast<int>(m_column - ColumnOf(s.second, width, SpanSeconds())),
                     plot.top + RowOf(value, m_scales[graph], height)};
    };
    for (int l = 0; l < kGraphs[graph].lineCount; ++l) {
        const Line& line = kGraphs[graph].lines[l];
        std::vector<POINT> run;
        bool runDotted = false;
        const auto drawRun = [&] {
            if (run.size() >= 2) {
                CPen pen(CreatePen(runDotted ? PS_DOT : PS_SOLID, runDotted ? 1 : Px(2), line.color));
                const HGDIOBJ old = SelectObject(dc, pen.Get());
                Polyline(dc, run.data(), static_cast<int>(run.size()));
                SelectObject(dc, old);
            }
            run.clear();
        };
        for (size_t i = oldest + 1; i < history.Size(); ++i) {
            const MonitorSample &from = history.At(i - 1), &to = history.At(i);
            const int a = line.value(from), b = line.value(to);
            const bool drawn = HasValue(graph, a) && HasValue(graph, b);
            const bool dotted = graph == 3 && to.fanMode == FanMode::Automatic;
            if (!drawn || dotted != runDotted) drawRun();
            if (!drawn) continue;
            runDotted = dotted;
            if (run.empty()) run.push_back(pointOf(from, a));
            run.push_back(pointOf(to, b));
        }
        drawRun();
    }
}

// Each line's latest value in its own colour, then the scale.
// "Temperature, 55 °C, last 5 minutes": every line of the graph, then the span.
std::vector<AccessiblePart> CMonitorWnd::AccessibleGraphs() const {
    std::vector<AccessiblePart> parts{{ROLE_SYSTEM_CLIENT, OSKARA_MONITOR_TITLE}};
    const MonitorHistory& history = m_owner.History();
    const std::wstring span = L"last " + std::to_wstring(kSpanMinutes[m_spanIndex]) +
                              (kSpanMinutes[m_spanIndex] == 1 ? L" minute" : L" minutes");
    for (int graph = 0; graph < 4; ++graph) {
        AccessiblePart part{ROLE_SYSTEM_CHART};
        for (int l = 0; l < kGraphs[graph].lineCount; ++l) {
            const Line& line = kGraphs[graph].lines[l];
            const int value = history.Size() ? line.value(history.Newest()) : -1;
            part.name += (l ? L" and " : L"") + std::wstring(line.name);
            part.value += std::wstring(line.name) + L", " +
                          (HasValue(graph, value) ? std::to_wstring(value) + L" " + line.unit : L"no reading") + L", ";
        }
        part.value += span;
        part.place = PlaceOf(graph).plot;
        parts.push_back(part);
    }
    return parts;
}

void CMonitorWnd::DrawValues(int graph) {
    HDC dc = m_buffer.Get();
    const RECT text = PlaceOf(graph).text;
    Fill(dc, text, GetSysColor(COLOR_BTNFACE));
    const MonitorHistory& history = m_owner.History();
    const HGDIOBJ oldFont = SelectObject(dc, m_font ? m_font.Get() : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    RECT row = text;
    const auto drawRow = [&](const std::wstring& words, COLORREF color) {
        SetTextColor(dc, color);
        row.top += DrawTextW(dc, words.c_str(), -1, &row, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_SINGLELINE);
    };
    for (int l = 0; l < kGraphs[graph].lineCount; ++l) {
        const Line& line = kGraphs[graph].lines[l];
        const int value = history.Size() ? line.value(history.Newest()) : -1;
        std::wstring words = std::wstring(line.name) + L": ";
        words += HasValue(graph, value) ? std::to_wstring(value) + L" " + line.unit : std::wstring(L"-");
        if (graph == 3 && history.Size() && history.Newest().fanMode == FanMode::Automatic) words += L" (auto)";
        drawRow(words, line.color);
    }
    const ValueScale& scale = m_scales[graph];
    row.top += Px(6);
    drawRow(std::to_wstring(scale.low) + L" to " + std::to_wstring(scale.high), GetSysColor(COLOR_GRAYTEXT));
    SelectObject(dc, oldFont);
    m_access.Refresh();
}

void CMonitorWnd::SampleAdded() {
    if (!m_hWnd || !m_buffer) return;
    const MonitorHistory& history = m_owner.History();
    const int width = PlaceOf(0).plot.right - Px(kMargin);
    const int64_t column = ColumnOf(history.Newest().second, width, SpanSeconds());
    const int64_t shift = column - m_column;
    if (history.Size() < 2 || shift < 0 || shift >= width || Scales() != m_scales) {
        Redraw();
        InvalidateRect(m_hWnd, nullptr, FALSE);
        return;
    }
    m_column = column;
    for (int g = 0; g < 4; ++g) {
        // The fan's whole plot: its dots run on along the newest run.
        if (g == 3) {
            DrawPlot(g);
        } else {
            if (shift > 0) ScrollPlot(g, static_cast<int>(shift));
            DrawLines(g, history.Size() - 2);
        }
        DrawValues(g);
        const Place place = PlaceOf(g);
        const RECT changed{place.plot.left, place.plot.top, place.text.right, place.plot.bottom};
        InvalidateRect(m_hWnd, &changed, FALSE);
    }
}
