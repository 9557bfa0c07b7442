// The main window's profile switching, the confirmation of raised clocks and the clocks put back
// after a resume.
#include "ui/OskaraDlg.h"

#include "gpu/FanPosition.h"
#include "store/Settings.h"
#include "ui/RunningProfile.h"
#include "ui/Truncate.h"

namespace {
bool RaisesAnyClock(const CardClocks& asked, const CardClocks& before) {
    return asked.core > before.core || asked.memory > before.memory || asked.shader > before.shader;
}
}  // namespace

void COskaraDlg::SwitchToProfile(const PROFILE& profile) {
    if (RefusedWhileScanning()) return;
    PutProfile(profile, CCardOwner::Reach::Group);
    StoreApplied({static_cast<double>(profile.core), static_cast<double>(profile.memory),
                  static_cast<double>(profile.shader), IsAutomaticFan(profile.fan) ? kFanAutomaticPosition : profile.fan});
    Invalidate(FALSE);
}

void COskaraDlg::PutProfile(const PROFILE& profile, CCardOwner::Reach reach) {
    m_activatedProfile = profile;
    // What waited for a confirmation is neither kept nor put back: the profile decides now.
    EndConfirmation();
    m_owner.Confirm();
    m_owner.Put(ChoiceOf(profile), reach);
    ShowProfileOnSliders(profile);
}

// As Apply: clocks of 0 mean a profile made while the card could not be read.
UserChoice COskaraDlg::ChoiceOf(const PROFILE& profile) {
    std::optional<CardClocks> clocks;
    if (profile.core > 0 && profile.memory > 0)
        clocks = CardClocks{static_cast<double>(profile.core), static_cast<double>(profile.memory),
                            static_cast<double>(profile.shader)};
    return {clocks, IsAutomaticFan(profile.fan) ? kFanAutomaticPosition : profile.fan};
}

void COskaraDlg::ShowProfileOnSliders(const PROFILE& profile) {
    const UserChoice choice = ChoiceOf(profile);
    if (choice.clocks) {
        SetClockSlider(ClockSlider::Core, profile.core);
        SetClockSlider(ClockSlider::Memory, TruncToInt(static_cast<double>(profile.memory) * GetMemoryClockFactor()));
        SetClockSlider(ClockSlider::Shader, profile.shader);
    }
    SetFanSlider(choice.fanPosition);
    UpdateValueLabels();
}

std::optional<PROFILE> COskaraDlg::RunningProfile() {
    CardClocks clocks;
    if (!m_activatedProfile || !m_card.CurrentClocks(clocks)) return std::nullopt;
    CardFan fan = m_card.ReadFan();
    // The curve's levels stand for the automatic fan the user chose.
    if (m_owner.CurveDriving()) fan = {fan.highestPercent, true, true};
    if (!CardRunsProfile(*m_activatedProfile, clocks, fan, m_card.HasShaderClock())) return std::nullopt;
    return m_activatedProfile;
}

void COskaraDlg::StoreApplied(const Applied& applied) {
    SettingsStore& settings = m_host.Settings();
    Settings::Write(settings, Settings::LastCore, static_cast<uint32_t>(TruncToInt(applied.core)));
    Settings::Write(settings, Settings::LastMem, static_cast<uint32_t>(TruncToInt(applied.memory)));
    Settings::Write(settings, Settings::LastShader, static_cast<uint32_t>(TruncToInt(applied.shader)));
    Settings::Write(settings, Settings::LastFan, static_cast<uint32_t>(applied.fan));
    if (const uint32_t version = m_card.DriverVersion()) Settings::Write(settings, Settings::LastDriverVersion, version);
}

bool COskaraDlg::NeedsConfirming(const std::optional<CardClocks>& asked, std::optional<CardClocks>& runningBefore) {
    if (!asked || Settings::Read(m_host.Settings(), Settings::ConfirmApply) != 1) return false;
    CardClocks before;
    if (m_card.CurrentClocks(before)) {
        runningBefore = before;
        return m_owner.Unconfirmed() || RaisesAnyClock(*asked, before);
    }
    // What ran is unknown: the defaults are the safe way back.
    if (m_card.DefaultClocks(before)) runningBefore = before;
    return true;
}

// The countdown is this window's timer, not a loop in the dialog: a display driver that hangs
// and comes back still finds the clocks reverted. A second Apply while it runs starts it again.
void COskaraDlg::AskToKeep(const Applied& asked) {
    m_unconfirmed = Unconfirmed{asked, kConfirmSeconds};
    SetTimer(m_hWnd, kConfirmTimer, 1000, nullptr);
    if (m_confirmDialog) return m_confirmDialog->ShowSecondsLeft(kConfirmSeconds);
    m_confirmDialog = new CConfirmClocksDlg(*this, this);
    if (m_confirmDialog->Create()) return m_confirmDialog->ShowSecondsLeft(kConfirmSeconds);
    // A dialog whose window never came is not freed by its window: without a question there is
    // no answer, so the clocks go back.
    if (m_confirmDialog && !m_confirmDialog->m_hWnd) delete m_confirmDialog;
    m_confirmDialog = nullptr;
    RevertClocks();
}

void COskaraDlg::OnConfirmTick() {
    if (!m_unconfirmed) return EndConfirmation();
    if (--m_unconfirmed->secondsLeft > 0) {
        if (m_confirmDialog) m_confirmDialog->ShowSecondsLeft(m_unconfirmed->secondsLeft);
        return;
    }
    RevertClocks();
}

void COskaraDlg::KeepClocks() {
    if (!m_unconfirmed) return;
    const Applied asked = m_unconfirmed->asked;
    EndConfirmation();
    m_owner.Confirm();
    StoreApplied(asked);
}

void COskaraDlg::RevertClocks() {
    EndConfirmation();
    if (!m_owner.PutBack()) return;
    UpdateControls();
    Invalidate(FALSE);
}

void COskaraDlg::ConfirmDialogGone(CConfirmClocksDlg* dialog) {
    if (m_confirmDialog == dialog) m_confirmDialog = nullptr;
}

void COskaraDlg::EndConfirmation() {
    KillTimer(m_hWnd, kConfirmTimer);
    m_unconfirmed.reset();
    if (m_confirmDialog) m_confirmDialog->DestroyWindow();
}

// What this session put on the card before the suspend, and nothing when that was the defaults
// or nothing: the stored values may belong to another session or card.
void COskaraDlg::OnReapplyTimer() {
    KillTimer(m_hWnd, kReapplyTimer);
    m_owner.PutBackClocksAfterResume();
    UpdateControls();
}
