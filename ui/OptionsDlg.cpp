#include "ui/OptionsDlg.h"

#include "store/Settings.h"
#include "res/resource.h"
#include "ui/FanCurveSettings.h"
#include "ui/FileVersion.h"
#include "ui/OptionsValues.h"
#include "ui/StartupShortcut.h"
#include "ui/TempGuard.h"
#include "ui/programs/ProgramsDlg.h"

COptionsDlg::COptionsDlg(SettingsStore& settings, const ProfileList& profiles, bool controllerConnected, CWnd* parent)
    : CDialog(IDD_OPTIONS, parent), m_settings(settings), m_profiles(profiles),
      m_controllerConnected(controllerConnected) {
    BindControl(m_startWithWindows, IDC_OPTIONS_START_WITH_WINDOWS);
    BindControl(m_restoreOC, IDC_OPTIONS_RESTORE_OC);
    BindControl(m_version, IDC_OPTIONS_VERSION);
    BindControl(m_tavioIdleReturn, IDC_OPTIONS_TAVIO_IDLE_RETURN);
    BindControl(m_stepSize, IDC_OPTIONS_STEP_SIZE);
    BindControl(m_effectiveMemory, IDC_OPTIONS_EFFECTIVE_MEMORY);
    BindControl(m_profileHotkeys, IDC_OPTIONS_PROFILE_HOTKEYS);
    BindControl(m_confirmApply, IDC_OPTIONS_CONFIRM_APPLY);
    BindControl(m_reapplyOnResume, IDC_OPTIONS_REAPPLY_ON_RESUME);
    BindControl(m_crashGuard, IDC_OPTIONS_CRASH_GUARD);
    BindControl(m_tempGuard, IDC_OPTIONS_TEMP_GUARD);
    BindControl(m_tempGuardLimit, IDC_OPTIONS_TEMP_GUARD_LIMIT);
    BindControl(m_followPrograms, IDC_OPTIONS_FOLLOW_PROGRAMS);
}

bool COptionsDlg::OnInitDialog() {
    for (const wchar_t* item : kStepSizeItems) m_stepSize.AddString(item);

    wchar_t program[512] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, program, 512);
    m_version.SetWindowText(L"Oskara v" + (length > 0 && length < 512 ? GetFileVersionText(program) : L""));

    m_startWithWindows.SetCheck(StartupShortcut::Exists(false) ? BST_CHECKED : BST_UNCHECKED);
    OnStartWithWindowsClicked();
    if (!m_controllerConnected) m_tavioIdleReturn.EnableWindow(FALSE);

    m_stepSize.SetCurSel(StepSizeItem(Settings::Read(m_settings, Settings::TavioStepSize)));
    CheckFromSetting(m_restoreOC, Settings::Read(m_settings, Settings::RestoreOC));
    CheckFromSetting(m_tavioIdleReturn, Settings::Read(m_settings, Settings::TavioIdleReturn));
    CheckFromSetting(m_effectiveMemory, Settings::Read(m_settings, Settings::ShowEffectiveMemClock));
    CheckFromSetting(m_profileHotkeys, Settings::Read(m_settings, Settings::ProfileHotkeys));
    CheckFromSetting(m_confirmApply, Settings::Read(m_settings, Settings::ConfirmApply));
    CheckFromSetting(m_reapplyOnResume, Settings::Read(m_settings, Settings::ReapplyOnResume));
    CheckFromSetting(m_followPrograms, Settings::Read(m_settings, Settings::FollowPrograms));
    // Only 0 turns the guard off.
    m_crashGuard.SetCheck(Settings::Read(m_settings, Settings::CrashGuard) != 0 ? BST_CHECKED : BST_UNCHECKED);
    const uint32_t tempGuard = Settings::Read(m_settings, Settings::TempGuardC);
    m_tempGuard.SetCheck(CTempGuard::LimitOf(tempGuard) ? BST_CHECKED : BST_UNCHECKED);
    m_tempGuardLimit.SetWindowText(TempGuardLimitText(tempGuard));
    if (tempGuard != 0 && !CTempGuard::LimitOf(tempGuard))
        ::ShowWindow(GetDlgItem(IDC_OPTIONS_TEMP_GUARD_NOTE), SW_SHOWNA);
    if (ReadFanCurveSettings(m_settings).storedCurveInvalid)
        ::ShowWindow(GetDlgItem(IDC_OPTIONS_FAN_CURVE_NOTE), SW_SHOWNA);
    return true;
}

void COptionsDlg::CheckFromSetting(CButton& box, uint32_t value) {
    box.SetCheck(ShowsChecked(value) ? BST_CHECKED : BST_UNCHECKED);
}

// A check in the restore box stays while it is disabled, and is saved as shown.
void COptionsDlg::OnStartWithWindowsClicked() {
    m_restoreOC.EnableWindow(m_startWithWindows.GetCheck() == BST_CHECKED);
}

void COptionsDlg::OnOK() {
    if (m_startWithWindows.GetCheck() == BST_CHECKED)
        StartupShortcut::Create(false);
    else
        StartupShortcut::Delete(false);
    Settings::Write(m_settings, Settings::TavioStepSize, StepSizeFromText(m_stepSize.GetWindowText()));
    Settings::Write(m_settings, Settings::RestoreOC, m_restoreOC.GetCheck() == BST_CHECKED);
    Settings::Write(m_settings, Settings::TavioIdleReturn, m_tavioIdleReturn.GetCheck() == BST_CHECKED);
    Settings::Write(m_settings, Settings::ShowEffectiveMemClock, m_effectiveMemory.GetCheck() == BST_CHECKED);
    Settings::Write(m_settings, Settings::ProfileHotkeys, m_profileHotkeys.GetCheck() == BST_CHECKED);
    Settings::Write(m_settings, Settings::ConfirmApply, m_confirmApply.GetCheck() == BST_CHECKED);
    Settings::Write(m_settings, Settings::ReapplyOnResume, m_reapplyOnResume.GetCheck() == BST_CHECKED);
    Settings::Write(m_settings, Settings::FollowPrograms, m_followPrograms.GetCheck() == BST_CHECKED);
    // A value that counts as on stays as it was.
    const bool guardOn = m_crashGuard.GetCheck() == BST_CHECKED;
    if (guardOn != (Settings::Read(m_settings, Settings::CrashGuard) != 0)) Settings::Write(m_settings, Settings::CrashGuard, guardOn);
    // A guard left off writes nothing, so a value out of rules stays as found.
    const uint32_t tempGuard =
        TempGuardToStore(m_tempGuard.GetCheck() == BST_CHECKED, m_tempGuardLimit.GetWindowText());
    const uint32_t tempGuardStored = Settings::Read(m_settings, Settings::TempGuardC);
    if (tempGuard != CTempGuard::LimitOf(tempGuardStored).value_or(0)) Settings::Write(m_settings, Settings::TempGuardC, tempGuard);
    CDialog::OnOK();
}

// The editor stores on its own OK; a valid curve stored there ends the note.
void COptionsDlg::OnFanCurve() {
    CFanCurveDlg editor(m_settings, m_fanCurveReading, this);
    editor.DoModal();
    if (!ReadFanCurveSettings(m_settings).storedCurveInvalid)
        ::ShowWindow(GetDlgItem(IDC_OPTIONS_FAN_CURVE_NOTE), SW_HIDE);
}

void COptionsDlg::OnPrograms() {
    CProgramsDlg list(m_settings, m_profiles, this);
    list.DoModal();
}

LRESULT COptionsDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && LOWORD(wp) == IDC_OPTIONS_FAN_CURVE && HIWORD(wp) == BN_CLICKED) {
        OnFanCurve();
        return 0;
    }
    if (msg == WM_COMMAND && LOWORD(wp) == IDC_OPTIONS_PROGRAMS && HIWORD(wp) == BN_CLICKED) {
        OnPrograms();
        return 0;
    }
    if (msg == WM_COMMAND && LOWORD(wp) == IDC_OPTIONS_START_WITH_WINDOWS && HIWORD(wp) == BN_CLICKED) {
        const LRESULT result = CDialog::WindowProc(msg, wp, lp);
        OnStartWithWindowsClicked();
        return result;
    }
    return CDialog::WindowProc(msg, wp, lp);
}
