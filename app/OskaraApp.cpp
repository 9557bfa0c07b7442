#include "app/OskaraApp.h"

#include <commctrl.h>

#include "app/ProfileStore.h"
#include "app/Settings.h"
#include "app/StartupRules.h"
#include "gpu/GpuControl.h"
#include "ui/OskaraDlg.h"

COskaraApp::COskaraApp() : CWinApp(nullptr) {}

bool COskaraApp::InitInstance() {
    if (ActivateRunningInstance()) return false;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    UseRegistryKey();

    if (!InstallTrayIcon() || !CreateMainDialog()) return false;
    LoadCardProfiles(CardHasShaderClock());
    ReportCardChange();
    ConnectTavio();
    RefreshMainDialog();
    if (StartupRules::HasStartHiddenSwitch(CommandLine())) {
        StartHidden();
        RestoreLastOverclock();
    } else {
        ShowMainDialog();
    }
    m_pMainWnd = m_mainDialog;
    return true;
}

int COskaraApp::ExitInstance() {
    ProfileStore::StoreAtShutdown(m_settings, m_cardKey, m_profiles);
    CloseTavio();
    return CWinApp::ExitInstance();
}

void COskaraApp::UseRegistryKey() {
    SetRegistryKey(L"Brenmar");
    m_settings.SetRoot(RegistryPath());
}

void COskaraApp::LoadCardProfiles(bool cardHasShaderClock) {
    m_profiles = ProfileStore::Load(m_settings, m_cardKey, cardHasShaderClock);
}

void COskaraApp::SaveProfiles() { ProfileStore::Save(m_settings, m_cardKey, m_profiles); }

// Hidden windows count: an instance living in the tray is found by its tray window.
bool COskaraApp::ActivateRunningInstance() {
    HWND running = FindWindowW(nullptr, kTitle);
    if (!running) return false;
    ::ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    SetActiveWindow(running);
    return true;
}

bool COskaraApp::InstallTrayIcon() {
    HICON icon = LoadIconW(Instance(), MAKEINTRESOURCEW(kAppIconId));
    if (!m_tray.Install(nullptr, kTrayCallbackMessage, L"", icon, kTrayIconId, false, nullptr, nullptr, 0, 10))
        return false;
    m_tray.SetWindowText(kTitle);
    m_tray.SetCallbackWindow(&m_tray);
    m_tray.SetCommandWindow(&m_tray);
    return true;
}

// The dialog's construction binds the driver and forms the card key.
bool COskaraApp::CreateMainDialog() {
    m_mainDialog = new COskaraDlg(*this, &m_tray);
    if (m_mainDialog->Create()) return true;
    delete m_mainDialog;
    m_mainDialog = nullptr;
    // Nothing was loaded, so nothing may be stored over what is there.
    m_cardKey.clear();
    return false;
}

void COskaraApp::OnMainDialogDestroyed(COskaraDlg* dialog) {
    if (m_mainDialog == dialog) m_mainDialog = nullptr;
}

bool COskaraApp::CardHasShaderClock() { return m_mainDialog && m_mainDialog->CardHasShaderClock(); }

void COskaraApp::ReportCardChange() {
    if (!StartupRules::IsCardChange(Settings::ReadLastCard(m_settings), m_cardKey)) return;
    MessageBoxW(nullptr,
                L"A video card change has been detected.\nYour existing profiles will remain saved, yet they can "
                L"only be accessed when the old card is installed again.",
                AppName().c_str(), MB_ICONINFORMATION);
}

// The controller arrives with its own change.
void COskaraApp::ConnectTavio() {}
void COskaraApp::CloseTavio() {}
void COskaraApp::OnTavioDeviceChange(WPARAM, LPARAM) {}
void COskaraApp::OnTavioEvent(WPARAM) {}

void COskaraApp::RefreshMainDialog() {
    if (m_mainDialog) m_mainDialog->UpdateControls();
}

void COskaraApp::StartHidden() {
    if (m_mainDialog) m_mainDialog->ShowWindow(SW_HIDE);
}

void COskaraApp::ShowMainDialog() {
    if (m_mainDialog) m_mainDialog->ShowWindow(SW_SHOWNORMAL);
}

void COskaraApp::RestoreLastOverclock() {
    const StartupRules::LastApplied last{Settings::Read(m_settings, Settings::LastCore),
                                         Settings::Read(m_settings, Settings::LastMem),
                                         Settings::Read(m_settings, Settings::LastShader),
                                         Settings::Read(m_settings, Settings::LastFan)};
    const bool ctrlHeld = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const StartupRules::RestorePlan plan =
        StartupRules::PlanRestore(last, Settings::ReadLastCard(m_settings), m_cardKey,
                                  Settings::Read(m_settings, Settings::RestoreOC), ctrlHeld, CardHasShaderClock());
    if (!plan.restore || !m_mainDialog) return;
    CGpuControl& gpu = m_mainDialog->Gpu();
    for (uint32_t index : m_mainDialog->GpuGroup()) {
        gpu.SelectGpu(index);
        if (plan.setClocks) gpu.SetLevelClocks(m_mainDialog->TopLevel(), plan.core, plan.memory, plan.shader);
        gpu.SetFanLevel(plan.automaticFan ? -1 : 0, plan.fanPercent);
    }
    m_mainDialog->UpdateControls();
}
