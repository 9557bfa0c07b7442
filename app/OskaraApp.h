#pragma once
#include <string>

#include "app/ProfileBook.h"
#include "app/RegistryStore.h"
#include "framework/KernelHandle.h"
#include "framework/WinApp.h"
#include "skin/SystemTray.h"
#include "ui/OskaraDlg.h"

// The application object: start-up, shutdown, the settings store, the card key and the card's
// profile list. The windows and devices reach what they need of it through their host interfaces.
class COskaraApp : public CWinApp, private CSystemTray::Owner, private COskaraDlg::Host {
public:
    static constexpr UINT kTrayCallbackMessage = 0x800A;

    COskaraApp();

    bool InitInstance() override;
    int ExitInstance() override;

    SettingsStore& Settings() override { return m_settings; }
    CSystemTray& Tray() { return m_tray; }

    const std::wstring& CardKey() const { return m_cardKey; }
    void SetCardKey(const std::wstring& key) override { m_cardKey = key; }

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
    bool ActivateRunningInstance();
    bool InstallTrayIcon();
    bool CreateMainDialog();
    bool CardHasShaderClock();
    void ReportCardChange();
    void ConnectTavio();
    void RefreshMainDialog();
    void StartHidden();
    void ShowMainDialog();
    void RestoreLastOverclock();
    void CloseTavio();

    void OnTavioDeviceChange(WPARAM event, LPARAM data) override;
    void OnTavioEvent(WPARAM code) override;

    std::wstring MessageCaption() override { return AppName(); }
    void EndSession() override;
    void StoreAndCloseController();
    void MainDialogGone(COskaraDlg* dialog) override;
    // The controller's connection arrives with its own change; until then there is none.
    bool ControllerConnected() override { return false; }

    CKernelHandle m_instanceMutex;
    CSystemTray m_tray{*this};
    COskaraDlg* m_mainDialog = nullptr;
    std::wstring m_cardKey;
    ProfileBook m_profiles;
    CRegistryStore m_settings;
};
