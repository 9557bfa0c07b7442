// The main window's profiles that follow programs: the watch's events go to the follower, and its
// steps to the card through the owner, to every GPU of the group, stored nowhere and never asked.
#include "ui/OskaraDlg.h"

#include <cwchar>

#include "store/ProfileBook.h"
#include "store/Settings.h"
#include "ui/programs/ProgramRuleStore.h"

namespace {
std::optional<PROFILE> ProfileNamed(const ProfileBook& profiles, const std::wstring& name) {
    for (const PROFILE& profile : profiles.List()) {
        if (std::wstring(profile.name, wcsnlen(profile.name, 64)) == name) return profile;
    }
    return std::nullopt;
}

std::wstring FileNameOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}
}  // namespace

// Off, or no usable rule: nothing is hooked or waited on, and a program's profile goes back now.
void COskaraDlg::FollowProgramsSetting() {
    SettingsStore& settings = m_host.Settings();
    const ProfileBook& profiles = m_host.Profiles();
    m_programRules.clear();
    if (Settings::Read(settings, Settings::FollowPrograms) == 1)
        m_programRules = UsableProgramRules(
            settings, [&profiles](const std::wstring& name) { return HasProfileNamed(profiles.List(), name); });
    SeeUserChanges();
    if (m_programRules.empty()) {
        m_programWatch.reset();
        return ActOn(m_follower.Stop());
    }
    ActOn(m_follower.RulesChanged([this](const std::wstring& path) { return ProgramProfile(path); }, GetTickCount64()));
    if (m_programWatch) {
        m_programWatch->ForgetAllBut([this](uint32_t id) { return m_follower.Watches(id); });
        return m_programWatch->Rescan();
    }
    m_programWatch = std::make_unique<CProcessWatch>(m_hWnd, kProgramEndedMessage,
                                                     [this](const CProcessWatch::Seen& seen) { return OnProgramStarted(seen); });
    if (!m_programWatch->Start()) m_programWatch.reset();
}

bool COskaraDlg::OnProgramStarted(const CProcessWatch::Seen& seen) {
    const std::optional<std::wstring> profile = ProgramProfile(seen.imagePath);
    if (!profile) return false;
    SeeUserChanges();
    ActOn(m_follower.ProcessStarted(seen.id, seen.imagePath, *profile, seen.startOrder));
    return true;
}

void COskaraDlg::OnProgramEnded(uint32_t id) {
    if (m_programWatch) m_programWatch->Forget(id);
    SeeUserChanges();
    ActOn(m_follower.ProcessEnded(id, GetTickCount64()));
}

void COskaraDlg::OnFollowTimer() {
    KillTimer(m_hWnd, kFollowTimer);
    SeeUserChanges();
    ActOn(m_follower.Tick(GetTickCount64()));
}

void COskaraDlg::SeeUserChanges() {
    if (m_owner.UserChanges() == m_userChangesSeen) return;
    m_userChangesSeen = m_owner.UserChanges();
    m_follower.UserChanged();
}

// A profile renamed or deleted since the rules were read puts nothing on. While a scan runs the
// card belongs to its tests (and the scan puts back what it found): the step waits for its end.
void COskaraDlg::ActOn(const FollowStep& step) {
    if (step.kind != FollowStep::Kind::Nothing && m_scan.Running()) {
        m_followHeld = true;
    } else if (step.kind == FollowStep::Kind::PutProfile) {
        if (const std::optional<PROFILE> profile = ProfileNamed(m_host.Profiles(), step.profile)) {
            EndConfirmation();
            m_activatedProfile = profile;
            m_owner.PutForProgram(ChoiceOf(*profile), step.keepWhatRan);
            ShowProfileOnSliders(*profile);
            Invalidate(FALSE);
        }
    } else if (step.kind == FollowStep::Kind::PutBack && m_owner.PutBackBeforePrograms()) {
        UpdateControls();
        Invalidate(FALSE);
    }
    if (const std::optional<uint64_t> due = m_follower.TickDue()) {
        const uint64_t now = GetTickCount64();
        SetTimer(m_hWnd, kFollowTimer, *due > now ? static_cast<UINT>(*due - now) : USER_TIMER_MINIMUM, nullptr);
    } else {
        KillTimer(m_hWnd, kFollowTimer);
    }
    // Otherwise the next poll renews the tip.
    if (step.kind != FollowStep::Kind::Nothing) ShowTrayTip(m_temperature);
}

// What the follower decided while a scan held the card goes on now; a put-back still in its grace
// comes with the follower's tick.
void COskaraDlg::FollowAfterScan() {
    if (!m_followHeld || m_scan.Running()) return;
    m_followHeld = false;
    const std::optional<std::wstring> deciding = m_follower.Deciding();
    const std::optional<std::wstring> profile = deciding ? ProgramProfile(*deciding) : std::nullopt;
    if (profile) return ActOn({FollowStep::Kind::PutProfile, *profile, !m_owner.KeepsBeforePrograms()});
    if (!deciding && !m_follower.TickDue()) ActOn({FollowStep::Kind::PutBack});
}

std::optional<std::wstring> COskaraDlg::ProgramProfile(const std::wstring& imagePath) {
    const std::optional<size_t> index = MatchingRule(m_programRules, imagePath);
    if (!index) return std::nullopt;
    return m_programRules[*index].profile;
}

std::wstring COskaraDlg::FollowedProgramTip() {
    const std::optional<std::wstring> deciding = m_follower.Deciding();
    if (!deciding) return L"";
    const std::optional<std::wstring> profile = ProgramProfile(*deciding);
    return (profile ? *profile + L" for " : L"") + FileNameOf(*deciding);
}
