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

// The tray's submenu and the hotkeys number the profiles as the profiles dialog lists them,
// newest first; position is below count.
size_t NewestFirst(size_t position, size_t count) { return count - 1 - position; }

std::wstring Quoted(const std::vector<std::wstring>& names) {
    std::wstring text;
    for (const std::wstring& name : names) text += (text.empty() ? L"\"" : L", \"") + name + L"\"";
    return text;
}
}  // namespace

std::vector<CSystemTray::Owner::ProfileItem> COskaraApp::TrayProfiles() {
    std::optional<PROFILE> running;
    if (HasMainWindow()) running = m_mainDialog->RunningProfile();
    std::vector<ProfileItem> items;
    for (size_t position = 0; position < m_profiles.Count(); ++position) {
        const PROFILE& profile = m_profiles.At(NewestFirst(position, m_profiles.Count()));
        // Two equal profiles: the first shown stands for both.
        const bool checked = running && SameProfile(profile, *running);
        if (checked) running.reset();
        items.push_back({std::wstring(profile.name, wcsnlen(profile.name, 64)), checked});
    }
    m_trayMenuRevision = m_profiles.Revision();
    return items;
}

void COskaraApp::OnTrayProfileChosen(size_t position) {
    if (m_profiles.IsCurrent(m_trayMenuRevision, position)) SwitchToProfile(NewestFirst(position, m_profiles.Count()));
}

void COskaraApp::OnHotkey(WPARAM id) {
    const std::optional<size_t> position = CProfileHotkeys::ProfileIndex(id);
    if (position && *position < m_profiles.Count()) SwitchToProfile(NewestFirst(*position, m_profiles.Count()));
}

// The later start's exit code comes with the answer; a box naming the profiles that match only
// without regard to case is shown after it, so the script that asked does not wait for a click.
LRESULT COskaraApp::OnCopyData(const COPYDATASTRUCT& data) {
    if (data.dwData == ConsoleRequest::kRequestTag) return OnConsoleCommand(data);
    const std::optional<std::wstring> name = ProfileRequest::Decode(data);
    if (!name || !HasMainWindow() || m_mainDialog->RefusedWhileScanning()) return 0;
    const ProfileRequest::Match match = ProfileRequest::FindProfile(*name, m_profiles.List());
    if (match.index) {
        SwitchToProfile(*match.index);
        return ProfileRequest::kApplied;
    }
    if (match.candidates.empty()) return ProfileRequest::kNoSuchProfile;
    ReplyMessage(ProfileRequest::kNoSuchProfile);
    ShowSeveralProfilesMatch(*name, match.candidates);
    return ProfileRequest::kNoSuchProfile;
}

void COskaraApp::SwitchToProfile(size_t index) {
    if (!HasMainWindow() || index >= m_profiles.Count()) return;
    const PROFILE profile = m_profiles.At(index);
    m_mainDialog->SwitchToProfile(profile);
}

bool COskaraApp::ApplyStartProfile(const std::wstring& name) {
    if (!HasMainWindow()) return false;
    const ProfileRequest::Match match = ProfileRequest::FindProfile(name, m_profiles.List());
    if (match.index) {
        SwitchToProfile(*match.index);
        return true;
    }
    if (!match.candidates.empty()) {
        ShowSeveralProfilesMatch(name, match.candidates);
        return false;
    }
    MessageBoxW(MessageOwner(), (L"There is no profile named \"" + name + L"\" for this card.").c_str(),
                AppName().c_str(), MB_ICONEXCLAMATION);
    return false;
}

void COskaraApp::ShowSeveralProfilesMatch(const std::wstring& name, const std::vector<std::wstring>& candidates) {
    const std::wstring text = L"No profile is named \"" + name + L"\" exactly, and " +
                              std::to_wstring(candidates.size()) + L" differ from it only in case: " +
                              Quoted(candidates) + L". None was applied.";
    MessageBoxW(MessageOwner(), text.c_str(), AppName().c_str(), MB_ICONEXCLAMATION);
}

HWND COskaraApp::MessageOwner() {
    return HasMainWindow() && m_mainDialog->IsWindowVisible() ? m_mainDialog->m_hWnd : nullptr;
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
