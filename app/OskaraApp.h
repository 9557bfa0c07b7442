#pragma once
#include <memory>
#include <string>

#include "app/ProfileHotkeys.h"
#include "app/StartupRules.h"
#include "store/ProfileBook.h"
#include "store/ProfileStore.h"
#include "store/RegistryStore.h"
#include "framework/OwnedHandle.h"
#include "framework/WinApp.h"
#include "skin/SystemTray.h"
#include "tavio/Display.h"
#include "tavio/Menu.h"
#include "tavio/MenuHost.h"
#include "tavio/TextSurfaceGdi.h"
#include "tavio/TavioDevice.h"
#include "tavio/TavioTransport.h"
#include "ui/CrashGuard.h"
#include "ui/OskaraDlg.h"

// The application object: start-up, shutdown, the settings store, the card key and the card's
// profile list. The windows and devices reach what they need of it through their host interfaces.
class COskaraApp : public CWinApp,
                   private CSystemTray::Owner,
                   private COskaraDlg::Host,
                   private TavioMenuHost {
public:
    static constexpr UINT kTrayCallbackMessage = 0x800A;

    // Without a name the executable's names the application; without a transport the controller
    // is looked for among the HID devices. The default is made where it is used, so a program
    // that brings its own transport (the demo build) links no HID discovery.
    explicit COskaraApp(const wchar_t* appName = nullptr,
                        std::unique_ptr<TavioTransport> transport = std::make_unique<CTavioDevice>());

    bool InitInstance() override;
    int ExitInstance() override;

    SettingsStore& Settings() override { return m_settings; }
    CSystemTray& Tray() { return m_tray; }

    const std::wstring& CardKey() const { return m_cardKey; }
    void SetCardKey(const std::wstring& key) override;

    ProfileBook& Profiles() override { return m_profiles; }
    // Loads the current card's profiles; a card without a separate shader clock keeps profiles
    // whose shader clock is 0.
    void LoadCardProfiles(bool cardHasShaderClock);
    // Writes the profile list now, so that no change of it is lost to a crash.
    void SaveProfiles();

    // The main window, or null once it is gone.
    COskaraDlg* MainDialog() { return m_mainDialog; }

    // Settings live under HKEY_CURRENT_USER\Software\Brenmar\<application name>.
    void UseRegistryKey();

private:
    bool ActivateRunningInstance(const StartupRules::StartRequest& request);
    bool InstallTrayIcon();
    bool CreateMainDialog();
    bool CardHasShaderClock();
    void ReportCardChange();
    void ConnectTavio();
    void RefreshMainDialog();
    void StartHidden();
    void ShowMainDialog();
    void RestoreLastOverclock();
    // The crash guard's verdict on this start; after a crash the card's fan is given back now.
    CrashGuard::Start GuardStart(bool markFound);
    void TellRestoreSkipped(CrashGuard::Start start);
    void CloseTavio();

    void OnTavioDeviceChange(WPARAM event, LPARAM data) override;
    void OnTavioEvent(WPARAM code) override;

    // Profile switching from the tray, the hotkeys and the command line (app/OskaraAppProfiles.cpp).
    std::vector<ProfileItem> TrayProfiles() override;
    void OnTrayProfileChosen(size_t index) override;
    void OnHotkey(WPARAM id) override;
    LRESULT OnCopyData(const COPYDATASTRUCT& data) override;
    // The console companion's commands, run on this instance's window (app/OskaraAppCommands.cpp).
    class CommandTarget;
    LRESULT OnConsoleCommand(const COPYDATASTRUCT& data);
    void OptionsStored() override;
    void ShowTempGuardActed(const std::wstring& text) override;
    void ShowScanRunning(const std::wstring& text) override;
    // A profile asked for at the start; true when it was applied.
    bool ApplyStartProfile(const std::wstring& name);
    void ShowSeveralProfilesMatch(const std::wstring& name, const std::vector<std::wstring>& candidates);
    // The main window while it is shown; a hidden start's boxes have no owner.
    HWND MessageOwner();
    void SwitchToProfile(size_t index);
    // tellTaken: the option was just turned on, so combinations held elsewhere are named.
    void FollowHotkeySetting(bool tellTaken);

    std::wstring MessageCaption() override { return AppName(); }
    void EndSession() override;
    void StoreAndCloseController();
    void MainDialogGone(COskaraDlg* dialog) override;
    bool ControllerConnected() override;
    void ShowClocksOnController(int core, int memoryShown, int shader, int fanCells) override;
    bool ControllerFollowsPoll() override;
    void ShowReadingsOnController(int temperatureCells, int fanCells) override;
    void ShowTrayTip(const std::wstring& text) override;
    void ShowLogStopped(const std::wstring& file, const std::wstring& reason) override;

    // The controller menu's host (app/OskaraAppTavio.cpp).
    bool HasMainWindow() override;
    int ClockSliderPos(Clock clock) override;
    int FanSliderPos() override;
    void MoveClockSlider(Clock clock, int position) override;
    void SetClockSlider(Clock clock, int value) override;
    void SetFanSlider(int position) override;
    void Apply() override;
    void ResetCard() override;
    void UpdateControls() override;
    int MemoryClockFactor() override;
    bool ReadFanLevel(int& percent) override;
    void RequestPoll() override;
    void StartTimer(Timer timer, unsigned milliseconds) override;
    void StopTimer(Timer timer) override;
    void HoldProfileName() override;
    static void CALLBACK OnTavioTimer(HWND, UINT, UINT_PTR id, DWORD);
    UINT_PTR& TimerId(Timer timer);

    CKernelHandle m_instanceMutex;
    std::unique_ptr<TavioTransport> m_tavio;
    bool m_tavioArrivalRegistered = false;
    CSystemTray m_tray{*this};
    COskaraDlg* m_mainDialog = nullptr;
    std::wstring m_cardKey;
    ProfileBook m_profiles;
    // What the registry holds of the profiles, so that a change writes only what it changed.
    ProfileStore::StoredSections m_storedProfiles;
    CRegistryStore m_settings;
    // The controller's screen and menu; thread timer ids are 0 while their timer is stopped.
    CGdiTextSurface m_tavioText;
    CTavioDisplay m_tavioScreen{*m_tavio, m_tavioText};
    CTavioMenu m_tavioMenu{*this, m_tavioScreen, m_profiles, m_settings};
    UINT_PTR m_repeatTimer = 0, m_idleTimer = 0, m_blinkTimer = 0;
    CProfileHotkeys m_hotkeys;
    // The list's revision when the tray menu was built: a choice from an older list is dropped.
    uint32_t m_trayMenuRevision = 0;
};
