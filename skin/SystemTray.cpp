#include "skin/SystemTray.h"

#include <cwchar>

#include "framework/WinApp.h"

namespace {
// The record form this program speaks: up to the item GUID, without the balloon-icon handle.
// The resource menu's first item ("&Open") is its default: chosen by a double-click, and drawn
// bold in the opened menu, where the profiles submenu comes before it.
constexpr int kDefaultItem = 0;

constexpr DWORD kRecordSize = NOTIFYICONDATAW_V3_SIZE;
static_assert(kRecordSize == (sizeof(void*) == 8 ? 968 : 952), "the shell expects the V3 record");

bool IsNtAboveMajor4() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&version)) return false;
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion > 4;
}

// The tray's menu resource, destroyed with its owner; the tray uses its first sub-menu.
class LoadedMenu {
public:
    explicit LoadedMenu(UINT id) : m_menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id))) {}
    ~LoadedMenu() {
        if (m_menu) DestroyMenu(m_menu);
    }
    LoadedMenu(const LoadedMenu&) = delete;
    LoadedMenu& operator=(const LoadedMenu&) = delete;
    HMENU Popup() const { return m_menu ? GetSubMenu(m_menu, 0) : nullptr; }

private:
    HMENU m_menu;
};

// A name's "&" would underline the next letter instead of showing; a tab would start the
// accelerator column.
std::wstring MenuText(const std::wstring& name) {
    std::wstring text;
    for (wchar_t c : name) {
        if (c == L'&') text += L'&';
        text += c == L'\t' ? L' ' : c;
    }
    return text;
}

void CopyText(wchar_t* field, size_t fieldUnits, const wchar_t* text) {
    std::wcsncpy(field, text ? text : L"", fieldUnits - 1);
    field[fieldUnits - 1] = L'\0';
}
}  // namespace

CSystemTray::CSystemTray(Owner& owner) : m_owner(owner), m_newerShell(IsNtAboveMajor4()) {
    m_data.cbSize = kRecordSize;
}

// The icon is removed by its owner's exit or with the window, never here: a static object's
// destructor runs after the windows are gone, and the shell call can then wait for ever.
CSystemTray::~CSystemTray() { DestroyWindow(); }

bool CSystemTray::Install(CWnd* parent, UINT callbackMessage, const wchar_t* tooltip, HICON icon, UINT id,
                          bool hidden, const wchar_t* balloonText, const wchar_t* balloonTitle,
                          DWORD balloonIconFlags, UINT balloonTimeoutSeconds) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    m_enabled = LOBYTE(LOWORD(GetVersion())) >= 4;
#pragma GCC diagnostic pop
    if (!m_enabled) return false;
    if (!m_hWnd && !CreateEx(0, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr)) return false;
    m_taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");

    m_data = NOTIFYICONDATAW{};
    m_data.cbSize = kRecordSize;
    m_data.hWnd = parent && parent->m_hWnd ? parent->m_hWnd : m_hWnd;
    m_data.uID = id;
    m_data.hIcon = icon;
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_data.uCallbackMessage = callbackMessage;
    CopyText(m_data.szTip, 128, tooltip);

    const bool balloon = m_newerShell && balloonText && *balloonText;
    if (balloon) {
        m_data.uFlags |= NIF_INFO;
        CopyText(m_data.szInfo, 256, balloonText);
        CopyText(m_data.szInfoTitle, 64, balloonTitle);
        m_data.uTimeout = balloonTimeoutSeconds * 1000;
        m_data.dwInfoFlags = balloonIconFlags;
    }

    m_hidden = hidden;
    if (m_newerShell && m_hidden) {
        m_data.uFlags = NIF_STATE;
        m_data.dwState = NIS_HIDDEN;
        m_data.dwStateMask = NIS_HIDDEN;
    }
    m_creationFlags = m_data.uFlags;

    bool result = true;
    if (!m_hidden || m_newerShell) {
        result = Shell_NotifyIconW(NIM_ADD, &m_data) != FALSE;
        m_hidden = m_removed = m_readdPending = !result;
    }
    if (balloon) m_data.szInfo[0] = L'\0';
    return result;
}

bool CSystemTray::ChangeIcon(HICON icon) {
    if (!m_enabled) return false;
    m_data.uFlags = NIF_ICON;
    m_data.hIcon = icon;
    return m_hidden || Shell_NotifyIconW(NIM_MODIFY, &m_data) != FALSE;
}

bool CSystemTray::SetTooltip(const std::wstring& text) {
    if (!m_enabled) return false;
    if (text == m_data.szTip) return true;
    m_data.uFlags = NIF_TIP;
    CopyText(m_data.szTip, 128, text.c_str());
    return m_hidden || Shell_NotifyIconW(NIM_MODIFY, &m_data) != FALSE;
}

bool CSystemTray::ShowBalloon(const wchar_t* title, const wchar_t* text) {
    if (!m_enabled || m_removed) return false;
    m_data.uFlags = NIF_INFO;
    CopyText(m_data.szInfo, 256, text);
    CopyText(m_data.szInfoTitle, 64, title);
    m_data.uTimeout = 10000;
    m_data.dwInfoFlags = NIIF_WARNING;
    const bool shown = Shell_NotifyIconW(NIM_MODIFY, &m_data) != FALSE;
    // A later modification must not show it again.
    m_data.szInfo[0] = L'\0';
    return shown;
}

bool CSystemTray::SetCallbackWindow(CWnd* window) {
    if (!m_enabled || !window || !IsWindow(window->m_hWnd)) return false;
    m_data.hWnd = window->m_hWnd;
    m_data.uFlags = 0;
    return m_hidden || Shell_NotifyIconW(NIM_MODIFY, &m_data) != FALSE;
}

bool CSystemTray::SetCommandWindow(CWnd* window) {
    m_commandWindow = window;
    return true;
}

CWnd* CSystemTray::CommandWindow() const {
    if (m_commandWindow) return m_commandWindow;
    CWinApp* app = CWinApp::Current();
    return app ? app->m_pMainWnd : nullptr;
}

bool CSystemTray::DeleteIcon() {
    m_readdPending = false;
    if (!m_enabled || m_removed) return true;
    m_data.uFlags = 0;
    if (Shell_NotifyIconW(NIM_DELETE, &m_data)) m_hidden = m_removed = true;
    return m_removed;
}

LRESULT CSystemTray::HandleIconMouse(WPARAM id, LPARAM mouseMessage) {
    if (id != m_data.uID) return 0;
    CWnd* target = CommandWindow();
    if (!target || !target->m_hWnd) return 0;

    const UINT event = LOWORD(mouseMessage);
    if (event == WM_RBUTTONUP) {
        LoadedMenu menu(m_data.uID);
        HMENU popup = menu.Popup();
        if (!popup) return 0;
        AddProfilesMenu(popup);
        SetMenuDefaultItem(popup, kOpenCommand, FALSE);
        POINT pointer{};
        GetCursorPos(&pointer);
        SetForegroundWindow(target->m_hWnd);
        TrackPopupMenu(popup, 0, pointer.x, pointer.y, 0, m_hWnd, nullptr);
        ::PostMessageW(target->m_hWnd, WM_NULL, 0, 0);
    } else if (event == WM_LBUTTONUP || event == WM_LBUTTONDBLCLK) {
        SetForegroundWindow(target->m_hWnd);
        LoadedMenu menu(m_data.uID);
        HMENU popup = menu.Popup();
        if (!popup) return 0;
        ::PostMessageW(target->m_hWnd, WM_COMMAND, GetMenuItemID(popup, kDefaultItem), 0);
    }
    return 1;
}

// Built at each opening, so it shows the list and the card as they are now; destroyed with the
// menu it is part of.
void CSystemTray::AddProfilesMenu(HMENU popup) {
    HMENU profiles = CreatePopupMenu();
    if (!profiles) return;
    const std::vector<Owner::ProfileItem> items = m_owner.TrayProfiles();
    const size_t room = ID_TRAY_NO_PROFILES - ID_TRAY_PROFILE_FIRST;
    for (size_t i = 0; i < items.size() && i < room; ++i)
        AppendMenuW(profiles, MF_STRING | (items[i].checked ? MF_CHECKED : MF_UNCHECKED), ID_TRAY_PROFILE_FIRST + i,
                    MenuText(items[i].name).c_str());
    if (items.empty()) AppendMenuW(profiles, MF_STRING | MF_GRAYED, ID_TRAY_NO_PROFILES, L"(no profiles)");
    if (!InsertMenuW(popup, kOpenCommand, MF_BYCOMMAND | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(profiles),
                     L"&Profiles"))
        DestroyMenu(profiles);
}

LRESULT CSystemTray::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DEVICECHANGE) m_owner.OnTavioDeviceChange(wp, lp);
    if (msg == WM_USER) m_owner.OnTavioEvent(wp);
    CWinApp* app = CWinApp::Current();
    CWnd* mainWindow = app ? app->m_pMainWnd : nullptr;
    // The menu's commands and the left clicks arrive as WM_COMMAND only.
    const bool command = msg == WM_COMMAND && HIWORD(wp) == 0;
    if (command && LOWORD(wp) == kOpenCommand && mainWindow && mainWindow->m_hWnd) {
        ::ShowWindow(mainWindow->m_hWnd, SW_RESTORE);
        SetForegroundWindow(mainWindow->m_hWnd);
    }
    const bool forMainWindow = LOWORD(wp) == kMonitorCommand || LOWORD(wp) == kScanCommand;
    if (command && forMainWindow && mainWindow && mainWindow->m_hWnd) mainWindow->PostMessage(WM_COMMAND, LOWORD(wp), 0);
    if (command && LOWORD(wp) == kExitCommand) {
        if (mainWindow) mainWindow->DestroyWindow();
        PostQuitMessage(0);
    }
    if (command && LOWORD(wp) >= ID_TRAY_PROFILE_FIRST && LOWORD(wp) < ID_TRAY_NO_PROFILES)
        m_owner.OnTrayProfileChosen(LOWORD(wp) - ID_TRAY_PROFILE_FIRST);
    if (msg == WM_HOTKEY) m_owner.OnHotkey(wp);
    if (msg == WM_COPYDATA) return lp ? m_owner.OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lp)) : 0;
    if (msg == m_data.uCallbackMessage && msg != 0) return HandleIconMouse(wp, lp);

    if (msg == WM_DESTROY) DeleteIcon();
    if (msg == WM_SETTINGCHANGE) {
        const LRESULT result = Default(msg, wp, lp);
        OnSettingChange(wp);
        return result;
    }
    if (msg == m_taskbarCreatedMessage && msg != 0) {
        m_readdPending = true;
        ReinstallIcon();
        return 0;
    }
    return Default(msg, wp, lp);
}

void CSystemTray::OnSettingChange(WPARAM setting) {
    if (setting != SPI_SETWORKAREA) return;
    m_readdPending = !m_hidden;
    ReinstallIcon();
}

void CSystemTray::ReinstallIcon() {
    if (!m_readdPending || m_hidden) return;
    m_data.uFlags = m_creationFlags;
    Shell_NotifyIconW(NIM_ADD, &m_data);
    m_hidden = m_removed = m_readdPending = false;
}
