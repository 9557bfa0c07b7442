#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "framework/Wnd.h"
#include "res/resource.h"

// The notification-area icon and the hidden window that receives its mouse notices, the popup
// menu's commands and the application's controller messages.
class CSystemTray : public CWnd {
public:
    // The application's side of the hidden window: what arrives there for the controller, and
    // the profile switching of the menu, the hotkeys and other starts of the program.
    class Owner {
    public:
        struct ProfileItem {
            std::wstring name;
            bool checked;
        };

        virtual void OnTavioDeviceChange(WPARAM event, LPARAM data) = 0;
        virtual void OnTavioEvent(WPARAM code) = 0;
        // The profiles submenu, in the list's order; a choice gives the item's index.
        virtual std::vector<ProfileItem> TrayProfiles() = 0;
        virtual void OnTrayProfileChosen(size_t index) = 0;
        virtual void OnHotkey(WPARAM id) = 0;
        // What WM_COPYDATA answers.
        virtual LRESULT OnCopyData(const COPYDATASTRUCT& data) = 0;

    protected:
        ~Owner() = default;
    };

    static constexpr UINT kOpenCommand = ID_TRAY_OPEN;
    static constexpr UINT kExitCommand = ID_TRAY_EXIT;
    // Handled by the main window.
    static constexpr UINT kMonitorCommand = ID_TRAY_MONITOR;
    static constexpr UINT kScanCommand = ID_TRAY_SCAN;

    explicit CSystemTray(Owner& owner);
    ~CSystemTray() override;

    bool Install(CWnd* parent, UINT callbackMessage, const wchar_t* tooltip, HICON icon, UINT id, bool hidden,
                 const wchar_t* balloonText, const wchar_t* balloonTitle, DWORD balloonIconFlags,
                 UINT balloonTimeoutSeconds);
    bool ChangeIcon(HICON icon);
    // Asks the shell only when the text differs from the one the icon shows.
    bool SetTooltip(const std::wstring& text);
    bool ShowBalloon(const wchar_t* title, const wchar_t* text);
    bool SetCallbackWindow(CWnd* window);
    bool SetCommandWindow(CWnd* window);
    // The command window, or the application's main window when none is set.
    CWnd* CommandWindow() const;
    bool DeleteIcon();

    virtual LRESULT HandleIconMouse(WPARAM id, LPARAM mouseMessage);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void AddProfilesMenu(HMENU popup);
    void OnSettingChange(WPARAM setting);
    void ReinstallIcon();

    Owner& m_owner;
    NOTIFYICONDATAW m_data{};
    bool m_enabled = false;
    bool m_hidden = true;
    bool m_removed = true;
    bool m_readdPending = false;
    bool m_newerShell = false;
    CWnd* m_commandWindow = nullptr;
    UINT m_creationFlags = 0;
    UINT m_taskbarCreatedMessage = 0;
};
