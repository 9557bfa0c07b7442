#include "ui/FanCurveDlg.h"

#include "res/resource.h"
#include "ui/FanCurveEdit.h"
#include "ui/FanCurveSettings.h"

CFanCurveDlg::CFanCurveDlg(SettingsStore& settings, FanCurveReading reading, CWnd* parent)
    : CDialog(IDD_FAN_CURVE, parent), m_settings(settings), m_reading(std::move(reading)) {
    CFanCurveGraph::RegisterClass();
    BindControl(m_graph, IDC_FAN_CURVE_GRAPH);
    BindControl(m_rows, IDC_FAN_CURVE_POINTS);
    BindControl(m_on, IDC_FAN_CURVE_ON);
}

bool CFanCurveDlg::OnInitDialog() {
    const FanCurveSettings stored = ReadFanCurveSettings(m_settings);
    m_on.SetCheck(stored.on ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemInt(m_hWnd, IDC_FAN_CURVE_HYSTERESIS, static_cast<UINT>(stored.hysteresis), FALSE);
    m_graph.SetPoints(stored.curve.Points());
    PointsEdited();
    ShowMarker();
    SetTimer(m_hWnd, kMarkerTimer, kMarkerPeriodMs, nullptr);
    return true;
}

void CFanCurveDlg::PointsEdited() {
    m_writingRows = true;
    m_rows.SetWindowText(FanCurveEdit::Rows(m_graph.Points()));
    m_writingRows = false;
}

// Rows that do not make a curve yet (half typed) leave the graph as it is.
void CFanCurveDlg::OnRowsChanged() {
    if (m_writingRows) return;
    if (const std::optional<CFanCurve> typed = FanCurveEdit::FromRows(m_rows.GetWindowText()))
        m_graph.SetPoints(typed->Points());
}

void CFanCurveDlg::ShowMarker() {
    if (m_reading) m_graph.SetMarker(m_reading());
}

void CFanCurveDlg::OnOK() {
    FanCurveSettings chosen;
    const std::optional<CFanCurve> typed = FanCurveEdit::FromRows(m_rows.GetWindowText());
    BOOL numeric = FALSE;
    const UINT hysteresis = GetDlgItemInt(m_hWnd, IDC_FAN_CURVE_HYSTERESIS, &numeric, FALSE);
    if (!typed || !numeric || hysteresis > FanCurveSettings::kMaxHysteresis) {
        MessageBoxW(m_hWnd,
                    L"The curve needs 2 to 8 rows of a temperature (0 to 120 \u00B0C, rising) and a fan percent "
                    L"(0 to 100), and a hysteresis of 0 to 10 \u00B0C.",
                    L"Fan curve", MB_ICONEXCLAMATION);
        return;
    }
    chosen.on = m_on.GetCheck() == BST_CHECKED;
    chosen.curve = *typed;
    chosen.hysteresis = static_cast<int>(hysteresis);
    WriteFanCurveSettings(m_settings, chosen);
    CDialog::OnOK();
}

LRESULT CFanCurveDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && LOWORD(wp) == IDC_FAN_CURVE_POINTS && HIWORD(wp) == EN_CHANGE) OnRowsChanged();
    if (msg == WM_TIMER && wp == kMarkerTimer) ShowMarker();
    if (msg == WM_DESTROY) KillTimer(m_hWnd, kMarkerTimer);
    return CDialog::WindowProc(msg, wp, lp);
}
