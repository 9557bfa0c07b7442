#include "app/OskaraApp.h"

#include <commctrl.h>

#include "app/ProfileStore.h"
#include "app/Settings.h"
#include "app/StartupRules.h"

COskaraApp::COskaraApp() : CWinApp(nullptr) {}

bool COskaraApp::InitInstance() {
    if (ActivateRunningInstance()) return false;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    UseRegistryKey();

    if (!InstallTrayIcon()) return false;
    CreateMainDialog();
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

// The main window arrives with its own change; until then there is no card and no card key.
void COskaraApp::CreateMainDialog() {}

bool COskaraApp::CardHasShaderClock() { return true; }

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

void COskaraApp::RefreshMainDialog() {}
void COskaraApp::StartHidden() {}
void COskaraApp::ShowMainDialog() {}

void COskaraApp::RestoreLastOverclock() {
    const StartupRules::LastApplied last{Settings::Read(m_settings, Settings::LastCore),
                                         Settings::Read(m_settings, Settings::LastMem),
                                         Settings::Read(m_settings, Settings::LastShader),
                                         Settings::Read(m_settings, Settings::LastFan)};
    const bool ctrlHeld = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const StartupRules::RestorePlan plan =
        StartupRules::PlanRestore(last, Settings::ReadLastCard(m_settings), m_cardKey,
                                  Settings::Read(m_settings, Settings::RestoreOC), ctrlHeld, CardHasShaderClock());
    if (!plan.restore) return;
    // Writing to the card arrives with the main window.
}
