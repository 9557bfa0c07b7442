#pragma once
#include <windows.h>

#include <functional>
#include <optional>

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "gpu/FanCurve.h"
#include "ui/FanCurveGraph.h"

class SettingsStore;

// The temperature now and the fan level with it, for the graph's marker; nullopt when unknown.
using FanCurveReading = std::function<std::optional<FanCurvePoint>()>;

// The fan curve editor: the graph, the same points as rows for the keyboard, the on/off box and
// the hysteresis. OK stores the three values at once; Cancel stores nothing.
class CFanCurveDlg : public CDialog, private CFanCurveGraph::Owner {
public:
    static constexpr UINT_PTR kMarkerTimer = 1;
    static constexpr UINT kMarkerPeriodMs = 1000;

    CFanCurveDlg(SettingsStore& settings, FanCurveReading reading, CWnd* parent);
    ~CFanCurveDlg() override { DestroyWindow(); }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void PointsEdited() override;
    void OnRowsChanged();
    void ShowMarker();

    SettingsStore& m_settings;
    FanCurveReading m_reading;
    CFanCurveGraph m_graph{*this};
    CWnd m_rows;
    CButton m_on;
    // Set while the rows are written from the graph, so the edit's notice is not taken back.
    bool m_writingRows = false;
};
