// The main window's temperature guard: fed by the poll's own reading, it puts the defaults back.
#include "ui/OskaraDlg.h"

#include <cwchar>

#include "store/Settings.h"
#include "ui/CrashGuard.h"
#include "ui/ValueLabels.h"

void COskaraDlg::FollowTempGuardSetting() {
    const std::optional<int> limit = CTempGuard::LimitOf(Settings::Read(m_host.Settings(), Settings::TempGuardC));
    if (!limit) return m_tempGuard.reset();
    if (!m_tempGuard || m_tempGuard->Limit() != *limit) m_tempGuard.emplace(*limit);
}

// With the guard on, the one thermal read of the poll is the one that tells a failed read apart.
int32_t COskaraDlg::PollHottest() {
    if (!m_tempGuard) return m_card.HottestTemperature();
    const std::optional<int32_t> reading = m_card.HottestReading();
    if (m_tempGuard->OnPoll(reading, ClocksRaised(), GetTickCount64())) PutDefaultsWhenHot(reading);
    return reading.value_or(0);
}

// The defaults are read once: they do not change while the card is bound, and a read per poll
// would cost a driver call.
bool COskaraDlg::ClocksRaised() {
    const std::optional<CardClocks>& clocks = m_owner.Chosen().clocks ? m_owner.Chosen().clocks : m_seenClocks;
    if (!clocks) return false;
    if (!m_defaultClocks) {
        CardClocks defaults;
        if (!m_card.DefaultClocks(defaults)) return true;
        m_defaultClocks = defaults;
    }
    return CrashGuard::AboveDefaults(*clocks, *m_defaultClocks);
}

void COskaraDlg::PutDefaultsWhenHot(std::optional<int32_t> reading) {
    EndConfirmation();
    m_owner.PutDefaultsWhenHot();
    UpdateControls();
    Invalidate(FALSE);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t time[6];
    std::swprintf(time, 6, L"%02u:%02u", now.wHour % 100u, now.wMinute % 100u);
    m_tempGuardActed = time;
    m_monitor.TempGuardActed(m_tempGuardActed);
    m_host.ShowTempGuardActed(TempGuardBalloon(reading, m_tempGuardActed));
}
