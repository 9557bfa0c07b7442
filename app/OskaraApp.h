#pragma once
#include <string>

#include "app/Profile.h"
#include "app/RegistryStore.h"
#include "framework/WinApp.h"
#include "skin/SystemTray.h"

// The application object: start-up, shutdown, the settings store, the card key and the card's
// profile list. Every other part reaches them through it.
class COskaraDlg;

class COskaraApp : public CWinApp, private CSystemTray::Owner {
public:
    static constexpr const wchar_t* kTitle = L"BRENMAR Oskara";
    static constexpr UINT kTrayCallbackMessage = 0x800A;
    static constexpr UINT kTrayIconId = 136;
    static constexpr int kAppIconId = 128;

    COskaraApp();

    bool InitInstance() override;
    int ExitInstance() override;

    SettingsStore& Settings() { return m_settings; }
    CSystemTray& Tray() { return m_tray; }

    const std::wstring& CardKey() const { return m_cardKey; }
    void SetCardKey(const std::wstring& key) { m_cardKey = key; }

    ProfileList& Profiles() { return m_profiles; }
    // Loads the current card's profiles; a card without a separate shader clock keeps profiles
    // whose shader clock is 0.
    void LoadCardProfiles(bool cardHasShaderClock);
    // Writes the profile list now, so that no change of it is lost to a crash.
    void SaveProfiles();

    // The main window, or null once it is gone.
    COskaraDlg* MainDialog() { return m_mainDialog; }
    void OnMainDialogDestroyed(COskaraDlg* dialog);

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

    CSystemTray m_tray{*this};
    COskaraDlg* m_mainDialog = nullptr;
    std::wstring m_cardKey;
    ProfileList m_profiles;
    CRegistryStore m_settings;
};
