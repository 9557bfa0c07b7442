#pragma once
#include <windows.h>

#include "store/SettingsStore.h"
#include "framework/ComboBox.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "ui/FanCurveDlg.h"

// The "Settings" dialog: start with Windows (the startup shortcut), restore at start-up, the
// effective memory display, the controller's idle return and step size, the profile hotkeys,
// the confirmation of new clocks, the clocks put back after a resume, the two guards, and the
// program's version. OK writes everything; Cancel nothing.
class COptionsDlg : public CDialog {
public:
    // controllerConnected: the idle-return box can only be changed while a controller is there.
    COptionsDlg(SettingsStore& settings, bool controllerConnected, CWnd* parent = nullptr);
    // What the fan curve editor's marker shows.
    void SetFanCurveReading(FanCurveReading reading) { m_fanCurveReading = std::move(reading); }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void OnStartWithWindowsClicked();
    void OnFanCurve();
    void CheckFromSetting(CButton& box, uint32_t value);

    SettingsStore& m_settings;
    bool m_controllerConnected;
    CButton m_startWithWindows, m_restoreOC;
    CStatic m_version;
    CButton m_tavioIdleReturn;
    CComboBox m_stepSize;
    CButton m_effectiveMemory;
    CButton m_profileHotkeys, m_confirmApply, m_reapplyOnResume, m_crashGuard, m_tempGuard;
    CWnd m_tempGuardLimit;
    FanCurveReading m_fanCurveReading;
};
