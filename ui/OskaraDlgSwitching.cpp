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
    // The profile decides now: what waited for a confirmation is neither kept nor put back.
    EndConfirmation();
    ActivateProfile(profile);
    StoreApplied({static_cast<double>(profile.core), static_cast<double>(profile.memory),
                  static_cast<double>(profile.shader), IsAutomaticFan(profile.fan) ? kFanAutomaticPosition : profile.fan});
    Invalidate(FALSE);
}

std::optional<PROFILE> COskaraDlg::RunningProfile() {
    CardClocks clocks;
    if (!m_activatedProfile || !m_card.CurrentClocks(clocks)) return std::nullopt;
    if (!CardRunsProfile(*m_activatedProfile, clocks, m_card.ReadFan(), m_card.HasShaderClock())) return std::nullopt;
    return m_activatedProfile;
}

void COskaraDlg::StoreApplied(const Applied& applied) {
    SettingsStore& settings = m_host.Settings();
    Settings::Write(settings, Settings::LastCore, static_cast<uint32_t>(TruncToInt(applied.core)));
    Settings::Write(settings, Settings::LastMem, static_cast<uint32_t>(TruncToInt(applied.memory)));
    Settings::Write(settings, Settings::LastShader, static_cast<uint32_t>(TruncToInt(applied.shader)));
    Settings::Write(settings, Settings::LastFan, static_cast<uint32_t>(applied.fan));
}

std::optional<COskaraDlg::Unconfirmed> COskaraDlg::ConfirmationFor(const std::optional<CardClocks>& asked,
                                                                   const Applied& applied) {
    if (!asked || Settings::Read(m_host.Settings(), Settings::ConfirmApply) != 1) return std::nullopt;
    CardClocks before;
    std::optional<CardClocks> previous;
    if (m_card.CurrentClocks(before)) {
        if (!RaisesAnyClock(*asked, before)) return std::nullopt;
        previous = before;
    } else if (m_card.DefaultClocks(before)) {
        // What ran is unknown: the defaults are the safe way back.
        previous = before;
    }
    const CardFan fan = m_card.ReadFan();
    const int previousFan = fan.known && !fan.automatic ? fan.highestPercent : kFanAutomaticPosition;
    return Unconfirmed{applied, previous, previousFan, kConfirmSeconds};
}

// The countdown is this window's timer, not a loop in the dialog: a display driver that hangs
// and comes back still finds the clocks reverted.
void COskaraDlg::AskToKeep(const Unconfirmed& unconfirmed) {
    m_unconfirmed = unconfirmed;
    SetTimer(m_hWnd, kConfirmTimer, 1000, nullptr);
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
    StoreApplied(asked);
}

void COskaraDlg::RevertClocks() {
    if (!PutBackPreviousClocks()) return;
    UpdateControls();
    Invalidate(FALSE);
}

bool COskaraDlg::PutBackPreviousClocks() {
    if (!m_unconfirmed) return false;
    const Unconfirmed unconfirmed = *m_unconfirmed;
    EndConfirmation();
    m_card.Apply(unconfirmed.previousClocks, unconfirmed.previousFan);
    return true;
}

void COskaraDlg::ConfirmDialogGone(CConfirmClocksDlg* dialog) {
    if (m_confirmDialog == dialog) m_confirmDialog = nullptr;
}

void COskaraDlg::EndConfirmation() {
    KillTimer(m_hWnd, kConfirmTimer);
    m_unconfirmed.reset();
    if (m_confirmDialog) m_confirmDialog->DestroyWindow();
}

void COskaraDlg::OnReapplyTimer() {
    KillTimer(m_hWnd, kReapplyTimer);
    SettingsStore& settings = m_host.Settings();
    const uint32_t core = Settings::Read(settings, Settings::LastCore),
                   memory = Settings::Read(settings, Settings::LastMem),
                   shader = Settings::Read(settings, Settings::LastShader);
    // As the start-up restore: never 0 MHz, never more than the card's field carries.
    if (core == 0 || memory == 0 || (shader == 0 && m_card.HasShaderClock())) return;
    if (core > kMaxCardMhz || memory > kMaxCardMhz || shader > kMaxCardMhz) return;
    m_card.Apply(CardClocks{static_cast<double>(core), static_cast<double>(memory), static_cast<double>(shader)},
                 std::nullopt);
    UpdateControls();
}
