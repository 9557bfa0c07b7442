// Profile switching without the profiles dialog: the tray's submenu, the hotkeys, "-p NAME" at
// the start and the same request handed over by a later start.
#include <cwchar>

#include "app/OskaraApp.h"
#include "app/ConsoleRequest.h"
#include "app/ProfileRequest.h"
#include "store/Settings.h"

namespace {
bool SameProfile(const PROFILE& a, const PROFILE& b) {
    return std::wcsncmp(a.name, b.name, 64) == 0 && a.core == b.core && a.memory == b.memory &&
           a.shader == b.shader && a.fan == b.fan;
}

bool NamesMatch(const std::wstring& asked, const PROFILE& profile) {
    const int length = static_cast<int>(wcsnlen(profile.name, 64));
    return CompareStringOrdinal(asked.c_str(), static_cast<int>(asked.size()), profile.name, length, TRUE) == CSTR_EQUAL;
}
}  // namespace

std::vector<CSystemTray::Owner::ProfileItem> COskaraApp::TrayProfiles() {
    std::optional<PROFILE> running;
    if (HasMainWindow()) running = m_mainDialog->RunningProfile();
    std::vector<ProfileItem> items;
    for (const PROFILE& profile : m_profiles.List()) {
        // Two equal profiles: the first stands for both.
        const bool checked = running && SameProfile(profile, *running);
        if (checked) running.reset();
        items.push_back({std::wstring(profile.name, wcsnlen(profile.name, 64)), checked});
    }
    m_trayMenuRevision = m_profiles.Revision();
    return items;
}

void COskaraApp::OnTrayProfileChosen(size_t index) {
    if (m_profiles.IsCurrent(m_trayMenuRevision, index)) SwitchToProfile(index);
}

void COskaraApp::OnHotkey(WPARAM id) {
    const std::optional<size_t> index = CProfileHotkeys::ProfileIndex(id);
    if (index && *index < m_profiles.Count()) SwitchToProfile(*index);
}

LRESULT COskaraApp::OnCopyData(const COPYDATASTRUCT& data) {
    if (data.dwData == ConsoleRequest::kRequestTag) return OnConsoleCommand(data);
    const std::optional<std::wstring> name = ProfileRequest::Decode(data);
    if (!name || !HasMainWindow()) return 0;
    return SwitchToProfileNamed(*name) ? ProfileRequest::kApplied : ProfileRequest::kNoSuchProfile;
}

void COskaraApp::SwitchToProfile(size_t index) {
    if (!HasMainWindow() || index >= m_profiles.Count()) return;
    const PROFILE profile = m_profiles.At(index);
    m_mainDialog->SwitchToProfile(profile);
}

bool COskaraApp::SwitchToProfileNamed(const std::wstring& name) {
    for (size_t i = 0; i < m_profiles.Count(); ++i) {
        if (!NamesMatch(name, m_profiles.At(i))) continue;
        SwitchToProfile(i);
        return true;
    }
    return false;
}

bool COskaraApp::ApplyStartProfile(const std::wstring& name) {
    if (!HasMainWindow()) return false;
    if (SwitchToProfileNamed(name)) return true;
    const HWND owner = m_mainDialog->IsWindowVisible() ? m_mainDialog->m_hWnd : nullptr;
    MessageBoxW(owner, (L"There is no profile named \"" + name + L"\" for this card.").c_str(), AppName().c_str(),
                MB_ICONEXCLAMATION);
    return false;
}

void COskaraApp::OptionsStored() { FollowHotkeySetting(true); }

void COskaraApp::FollowHotkeySetting(bool tellTaken) {
    if (Settings::Read(m_settings, Settings::ProfileHotkeys) != 1) return m_hotkeys.Unregister();
    if (m_hotkeys.Active()) return;
    const std::vector<int> taken = m_hotkeys.Register(m_tray.m_hWnd);
    if (!tellTaken || taken.empty()) return;
    std::wstring keys;
    for (int number : taken) keys += (keys.empty() ? L"Ctrl+Alt+" : L", Ctrl+Alt+") + std::to_wstring(number);
    MessageBoxW(HasMainWindow() ? m_mainDialog->m_hWnd : nullptr,
                (keys + (taken.size() == 1 ? L" is" : L" are") + L" held by another program; the other profile hotkeys work.").c_str(), AppName().c_str(),
                MB_ICONINFORMATION);
}
