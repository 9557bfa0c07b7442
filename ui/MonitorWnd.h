#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "framework/AccessibleWindow.h"
#include "framework/Gdi.h"
#include "framework/GdiObject.h"
#include "framework/Wnd.h"
#include "monitor/GraphScale.h"
#include "monitor/History.h"
#include "ui/WindowDpi.h"

class SettingsStore;

// The monitor window: four graphs over one time axis (temperature, core and shader clocks, the
// memory clock as shown, the fan) with the latest values beside them. It draws into a buffer of
// its own; a new sample scrolls each plot by copying it and draws only the new columns. It frees
// itself when its window is gone, so a save dialog still running when the owner goes does not
// return into freed memory.
class CMonitorWnd : public CWnd {
public:
    class Owner {
    public:
        virtual const MonitorHistory& History() = 0;
        virtual void StartLog(const std::wstring& path) = 0;
        virtual void StopLog() = 0;
        virtual void MonitorClosed() = 0;

    protected:
        ~Owner() = default;
    };

    CMonitorWnd(Owner& owner, SettingsStore& settings) : m_owner(owner), m_settings(settings) {}

    // Creates the window where it was last; false when it could not be made.
    bool Create();
    void SampleAdded();
    // Stop log is greyed while nothing is logged.
    void SetLogStatus(const std::wstring& text, bool logging);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PostNcDestroy() override { delete this; }

private:
    struct Place {
        RECT plot, text;
    };

    RECT StoredRect() const;
    void StoreRect();
    void CreateControls();
    void ApplyDpi(UINT dpi);
    int Px(int pixelsAt96) const { return AtDpi(pixelsAt96, m_dpi); }
    void OnSize(int width, int height);
    void OnPaint();
    bool OnCommand(WORD id, WORD code);
    void ChooseLogFile();
    Place PlaceOf(int graph) const;
    int SpanSeconds() const;
    void Redraw();
    void DrawPlot(int graph);
    void ScrollPlot(int graph, int columns);
    void ClearColumns(int graph, int left, int right);
    void DrawLines(int graph, size_t oldest);
    void DrawValues(int graph);
    std::array<ValueScale, 4> Scales() const;
    // For screen readers: the window, then each graph with its latest values and span.
    std::vector<AccessiblePart> AccessibleGraphs() const;

    Owner& m_owner;
    SettingsStore& m_settings;
    CMemoryDC m_buffer;
    UINT m_dpi = 96;
    CFont m_font;
    int m_width = 0, m_height = 0;
    int m_spanIndex = 0;
    HWND m_span = nullptr;
    HWND m_status = nullptr;
    std::array<ValueScale, 4> m_scales{};
    // The column of the newest sample drawn; the plots scroll from there.
    int64_t m_column = 0;
    CAccessibleWindow m_access;
};
