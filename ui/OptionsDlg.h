#pragma once
#include <windows.h>

#include "store/Profile.h"
#include "store/SettingsStore.h"
#include "framework/ComboBox.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "ui/FanCurveDlg.h"

// The "Settings" dialog: start with Windows (the startup shortcut), restore at start-up, the
// effective memory display, the controller's idle return and step size, the profile hotkeys,
// the confirmation of new clocks, the clocks put back after a resume, the two guards, profiles
// that follow programs, and the program's version. OK writes everything; Cancel nothing. The fan
// curve editor and the programs' list store on their own OK.
class COptionsDlg : public CDialog {
public:
    // controllerConnected: the idle-return box can only be changed while a controller is there.
    // profiles: the card's, the ones a program's rule can choose.
    COptionsDlg(SettingsStore& settings, const ProfileList& profiles, bool controllerConnected, CWnd* parent = nullptr);
    // What the fan curve editor's marker shows.
    void SetFanCurveReading(FanCurveReading reading) { m_fanCurveReading = std::move(reading); }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void OnStartWithWindowsClicked();
    void OnFanCurve();
    void OnPrograms();
    void CheckFromSetting(CButton& box, uint32_t value);

    SettingsStore& m_settings;
    const ProfileList& m_profiles;
    bool m_controllerConnected;
    CButton m_startWithWindows, m_restoreOC;
    CStatic m_version;
    CButton m_tavioIdleReturn;
    CComboBox m_stepSize;
    CButton m_effectiveMemory;
    CButton m_profileHotkeys, m_confirmApply, m_reapplyOnResume, m_crashGuard, m_tempGuard;
    CButton m_followPrograms;
    CWnd m_tempGuardLimit;
    FanCurveReading m_fanCurveReading;
};
