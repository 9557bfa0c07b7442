#include "app/OskaraApp.h"

#include <commctrl.h>

#include "store/ProfileStore.h"
#include "store/Settings.h"
#include "app/ProfileRequest.h"
#include "app/StartupRules.h"
#include "ui/CrashGuard.h"
#include "gpu/FanPosition.h"
#include "res/resource.h"
#include "tavio/TavioDeviceRules.h"

COskaraApp::COskaraApp(const wchar_t* appName, std::unique_ptr<TavioTransport> transport)
    : CWinApp(appName), m_tavio(std::move(transport)) {
    m_profiles.SetSaver([this](const ProfileList&) { SaveProfiles(); });
    m_profiles.SetCardKnown(false);
}

bool COskaraApp::InitInstance() {
    const StartupRules::StartRequest request = StartupRules::ParseStartRequest(CommandLine());
    if (ActivateRunningInstance(request)) return false;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    UseRegistryKey();

    // Read before the window exists: its start marks the session again when a curve drives.
    const bool markFound = Settings::Read(m_settings, Settings::OverclockRunning) == 1;
    if (!InstallTrayIcon() || !CreateMainDialog()) return false;
    // Before the first box: dialogs are owned by the main window, and its end ends the program.
    m_pMainWnd = m_mainDialog;
    LoadCardProfiles(CardHasShaderClock());
    ReportCardChange();
    // The tray's Exit works while the box is open.
    if (!m_mainDialog) return false;
    ConnectTavio();
    RefreshMainDialog();
    const CrashGuard::Start start = GuardStart(markFound);
    if (request.startHidden) {
        StartHidden();
        // A profile asked for replaces the restore.
        if (!request.profileName || !ApplyStartProfile(*request.profileName)) {
            if (start == CrashGuard::Start::AsUsual)
                RestoreLastOverclock();
            else
                TellRestoreSkipped(start);
        }
    } else {
        ShowMainDialog();
        if (request.profileName) ApplyStartProfile(*request.profileName);
    }
    FollowHotkeySetting(false);
    // After the crash guard's verdict: a scan the machine's end cut short set the mark too.
    if (m_mainDialog) m_mainDialog->OfferToContinueScan();
    return true;
}

int COskaraApp::ExitInstance() {
    StoreAndCloseController();
    // Here, while the tray window exists: never from the application object's destructor, where
    // the window (still there after a failed driver binding) would call back into a half-gone host.
    if (m_mainDialog) m_mainDialog->DestroyWindow();
    m_hotkeys.Unregister();
    m_tray.DeleteIcon();
    return CWinApp::ExitInstance();
}

// Windows is ending the session: what the exit stores is stored now. The program may still run
// on until it is ended, so the tray icon stays.
void COskaraApp::EndSession() { StoreAndCloseController(); }

void COskaraApp::StoreAndCloseController() {
    ProfileStore::StoreAtShutdown(m_settings, m_cardKey, m_profiles.List(), m_storedProfiles);
    CloseTavio();
}

void COskaraApp::UseRegistryKey() {
    SetRegistryKey(L"Brenmar");
    m_settings.SetRoot(RegistryPath());
}

void COskaraApp::SetCardKey(const std::wstring& key) {
    // What the registry holds belongs to the card it was read for.
    if (key != m_cardKey) m_storedProfiles = {};
    m_cardKey = key;
    m_profiles.SetCardKnown(!key.empty());
}

void COskaraApp::LoadCardProfiles(bool cardHasShaderClock) {
    m_profiles.Replace(ProfileStore::Load(m_settings, m_cardKey, cardHasShaderClock, &m_storedProfiles));
}

void COskaraApp::SaveProfiles() { ProfileStore::Save(m_settings, m_cardKey, m_profiles.List(), m_storedProfiles); }

// The mutex closes the race of two starts at the same moment, when neither has a window yet; the
// title finds the running instance's window to show. Hidden windows count: an instance living in
// the tray is found by its tray window. A profile asked for goes to the running instance, whose
// window stays as it is; this start's exit code tells whether it was applied.
bool COskaraApp::ActivateRunningInstance(const StartupRules::StartRequest& request) {
    m_instanceMutex.Reset(CreateMutexW(nullptr, FALSE, OSKARA_INSTANCE_MUTEX));
    const bool mutexHeld = m_instanceMutex.Valid() && GetLastError() == ERROR_ALREADY_EXISTS;
    HWND running = FindWindowW(nullptr, OSKARA_WINDOW_TITLE);
    if (request.profileName && (running || mutexHeld)) {
        m_exitCode = running ? ProfileRequest::Send(OSKARA_WINDOW_TITLE, *request.profileName)
                             : ProfileRequest::kExitUnanswered;
        return true;
    }
    if (!running) return mutexHeld;
    ::ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    SetActiveWindow(running);
    return true;
}

bool COskaraApp::InstallTrayIcon() {
    HICON icon = LoadIconW(Instance(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (!m_tray.Install(nullptr, kTrayCallbackMessage, OSKARA_WINDOW_TITLE, icon, IDI_TRAY_ICON, false, nullptr, nullptr, 0, 10))
        return false;
    m_tray.SetWindowText(OSKARA_WINDOW_TITLE);
    m_tray.SetCallbackWindow(&m_tray);
    m_tray.SetCommandWindow(&m_tray);
    return true;
}

void COskaraApp::ShowTrayTip(const std::wstring& text) { m_tray.SetTooltip(text); }

// The dialog's construction binds the driver and forms the card key.
bool COskaraApp::CreateMainDialog() {
    m_mainDialog = new COskaraDlg(*this, &m_tray);
    if (m_mainDialog->Create()) return true;
    delete m_mainDialog;
    m_mainDialog = nullptr;
    // Nothing was loaded, so nothing may be stored over what is there.
    SetCardKey(L"");
    return false;
}

void COskaraApp::MainDialogGone(COskaraDlg* dialog) {
    if (m_mainDialog == dialog) m_mainDialog = nullptr;
}

bool COskaraApp::CardHasShaderClock() { return m_mainDialog && m_mainDialog->Card().HasShaderClock(); }

void COskaraApp::ReportCardChange() {
    if (!StartupRules::IsCardChange(Settings::ReadLastCard(m_settings), m_cardKey)) return;
    MessageBoxW(m_mainDialog->m_hWnd,
                L"A video card change has been detected.\nYour existing profiles will remain saved, yet they can "
                L"only be accessed when the old card is installed again.",
                AppName().c_str(), MB_ICONINFORMATION);
}

// The controller arrives with its own change.
// One registration serves every connect: registered again, each notice would come twice.
void COskaraApp::ConnectTavio() {
    if (!m_tavioArrivalRegistered) {
        m_tavio->RegisterForArrival(m_tray.m_hWnd);
        m_tavioArrivalRegistered = true;
    }
    if (m_tavio->IsOpen() || !m_tavio->FindAndOpen(TavioDeviceRules::kVendorId, TavioDeviceRules::kProductId))
        return;
    m_tavioMenu.OnConnected();
    m_tavio->StartReader(m_tray.m_hWnd);
}

// Runs at the end of a session and again at exit; the second time nothing is open.
void COskaraApp::CloseTavio() {
    m_tavioMenu.StopTimers();
    if (m_tavioScreen.IsConnected()) {
        m_tavioScreen.Reset();
        m_tavioScreen.SendExitMode();
    }
    m_tavio->Close();
    m_tavioScreen.Removed();
}

void COskaraApp::OnTavioDeviceChange(WPARAM event, LPARAM data) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (event == DBT_DEVICEARRIVAL) {
        // The open controller announced again was unplugged without a removal notice reaching
        // us: its handles are dead, so it is opened anew.
        if (m_tavio->IsOpen() && m_tavio->IsSameDevice(header) && !m_tavio->StillAnswers()) {
            m_tavioMenu.OnRemoved();
            m_tavio->Close();
        }
        // While one is open, another controller (or the same one announced again) is ignored;
        // one plugged in after the start is known by its ids.
        if (m_tavio->IsOpen() || !(m_tavio->IsSameDevice(header) || m_tavio->IsController(header))) return;
        ConnectTavio();
        if (m_tavio->IsOpen()) RefreshMainDialog();
    } else if (event == DBT_DEVICEREMOVECOMPLETE) {
        if (!m_tavio->IsOpen() || !m_tavio->IsSameDevice(header)) return;
        m_tavioMenu.OnRemoved();
        m_tavio->Close();
    }
}

void COskaraApp::RefreshMainDialog() {
    if (m_mainDialog && !m_mainDialog->Scanning()) m_mainDialog->UpdateControls();
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
                                         m_settings.ReadInt(L"", Settings::LastFan.name, StartupRules::kNoLastFan)};
    // A process started while Ctrl is held sees it only through the asynchronous state.
    const bool ctrlHeld = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
    const StartupRules::RestorePlan plan =
        StartupRules::PlanRestore(last, Settings::ReadLastCard(m_settings), m_cardKey,
                                  Settings::Read(m_settings, Settings::RestoreOC), ctrlHeld, CardHasShaderClock());
    if (!plan.restore || !m_mainDialog) return;
    CCardOwner& owner = m_mainDialog->Owner();
    std::optional<CardClocks> clocks;
    if (plan.setClocks) clocks = CardClocks{plan.core, plan.memory, plan.shader};
    if (plan.setFan)
        owner.Put({clocks, plan.automaticFan ? kFanAutomaticPosition : plan.fanPercent});
    else if (clocks)
        owner.PutClocks(*clocks);
    m_mainDialog->UpdateControls();
}

CrashGuard::Start COskaraApp::GuardStart(bool markFound) {
    const CrashGuard::Start start =
        CrashGuard::AtStart(Settings::Read(m_settings, Settings::CrashGuard) != 0, markFound,
                            Settings::Read(m_settings, Settings::LastDriverVersion),
                            m_mainDialog ? m_mainDialog->Card().DriverVersion() : 0);
    if (start == CrashGuard::Start::AfterCrash && m_mainDialog) {
        m_mainDialog->Owner().RecoverFromCrash();
        m_mainDialog->UpdateControls();
    }
    return start;
}

void COskaraApp::TellRestoreSkipped(CrashGuard::Start start) {
    if (Settings::Read(m_settings, Settings::RestoreOC) != 1) return;
    const wchar_t* why = start == CrashGuard::Start::AfterCrash
                             ? L"Your overclock was not restored: the last session with it did not end normally. "
                               L"Apply it or choose a profile to use it again."
                             : L"Your overclock was not restored: the display driver changed since it was applied. "
                               L"Apply it or choose a profile to use it again.";
    m_tray.ShowBalloon(L"Oskara", why);
}

void COskaraApp::ShowTempGuardActed(const std::wstring& text) {
    m_tray.ShowBalloon(L"Oskara put the default clocks back", text.c_str());
}

void COskaraApp::ShowScanRunning(const std::wstring& text) { m_tray.ShowBalloon(L"Oskara", text.c_str()); }

void COskaraApp::ShowLogStopped(const std::wstring& file, const std::wstring& reason) {
    m_tray.ShowBalloon(L"Oskara stopped its log", (file + L"\n" + reason).c_str());
}
