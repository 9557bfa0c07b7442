#include "ui/CardOwner.h"

#include "store/Settings.h"
#include "ui/CrashGuard.h"
#include "ui/FanCurveSettings.h"
#include "ui/Truncate.h"

namespace {
bool SameMhz(const CardClocks& a, const CardClocks& b) {
    return TruncToInt(a.core) == TruncToInt(b.core) && TruncToInt(a.memory) == TruncToInt(b.memory) &&
           TruncToInt(a.shader) == TruncToInt(b.shader);
}
}  // namespace

void CCardOwner::TakeOver(int fanPositionFound) {
    m_marked = Settings::Read(m_settings, Settings::OverclockRunning) == 1;
    m_chosen = {std::nullopt, fanPositionFound};
    if (IsAutomaticFan(fanPositionFound) && ReadFanCurveSettings(m_settings).on) {
        MarkSession();
        m_curve.Start();
    }
}

void CCardOwner::MarkSession() {
    if (m_marked) return;
    m_settings.WriteIntDurably(L"", Settings::OverclockRunning.name, 1);
    m_marked = true;
}

void CCardOwner::ClearMark() {
    if (!m_marked) return;
    Settings::Write(m_settings, Settings::OverclockRunning, 0);
    m_marked = false;
}

void CCardOwner::RecoverFromCrash() {
    m_curve.Stop();
    m_card.SetGroupFan(kFanAutomaticPosition);
    m_chosen.fanPosition = kFanAutomaticPosition;
    m_marked = true;
    ClearMark();
}

void CCardOwner::UserChanged() {
    ++m_userChanges;
    m_beforePrograms.reset();
}

void CCardOwner::Put(const UserChoice& choice, Reach reach) {
    UserChanged();
    PutChoice(choice, reach);
}

void CCardOwner::PutChoice(const UserChoice& choice, Reach reach) {
    if (choice.clocks && reach == Reach::Group) PutClocks(*choice.clocks);
    if (choice.clocks && reach == Reach::SelectedGpu) {
        CardClocks defaults;
        if (!m_card.DefaultClocks(defaults) || CrashGuard::AboveDefaults(*choice.clocks, defaults)) MarkSession();
        m_card.SetClocks(*choice.clocks);
        m_chosen.clocks = choice.clocks;
    }
    m_chosen.fanPosition = choice.fanPosition;
    WriteFan(choice.fanPosition, reach, true);
}

void CCardOwner::PutClocks(const CardClocks& clocks) {
    CardClocks defaults;
    // Clocks above defaults that cannot be compared with them count as an overclock.
    if (!m_card.DefaultClocks(defaults) || CrashGuard::AboveDefaults(clocks, defaults)) MarkSession();
    m_card.Apply(clocks, std::nullopt);
    m_chosen.clocks = clocks;
}

void CCardOwner::PutDefaults() {
    UserChanged();
    m_wayBack.reset();
    m_curve.Stop();
    m_card.Reset();
    m_chosen = {};
    ClearMark();
}

// What ran before a program's profile is not put back over the guard's defaults either.
void CCardOwner::PutDefaultsWhenHot() {
    UserChanged();
    m_wayBack.reset();
    m_chosen.clocks.reset();
    if (m_curve.Driving()) return m_card.ResetClocks();
    m_card.Reset();
    m_chosen.fanPosition = kFanAutomaticPosition;
}

void CCardOwner::PutUnconfirmed(const UserChoice& choice, const std::optional<CardClocks>& runningBefore) {
    if (!m_wayBack) m_wayBack = WayBack{m_chosen, runningBefore};
    Put(choice);
}

void CCardOwner::PutForProgram(const UserChoice& choice, bool firstOfRun) {
    CardClocks running;
    const bool keep = firstOfRun || !m_beforePrograms;
    if (keep && m_wayBack)
        m_beforePrograms = m_wayBack;
    else if (keep)
        m_beforePrograms = WayBack{m_chosen, m_card.CurrentClocks(running) ? std::optional(running) : std::nullopt};
    // A question nobody is there to answer: the programs' way back holds what it would restore.
    m_wayBack.reset();
    PutChoice(choice, Reach::Group);
}

// The card's own clocks were chosen: they go back as read before, else as its defaults.
bool CCardOwner::PutBackBeforePrograms() {
    if (!m_beforePrograms) return false;
    const WayBack before = *m_beforePrograms;
    m_beforePrograms.reset();
    CardClocks clocks;
    if (before.chosen.clocks) clocks = *before.chosen.clocks;
    else if (before.running) clocks = *before.running;
    if (before.chosen.clocks || before.running || m_card.DefaultClocks(clocks)) PutClocks(clocks);
    m_chosen = before.chosen;
    WriteFan(m_chosen.fanPosition, Reach::Group, true);
    return true;
}

bool CCardOwner::PutBack() { return PutWayBack(true); }

bool CCardOwner::PutWayBack(bool curveMayDrive) {
    if (!m_wayBack) return false;
    const WayBack wayBack = *m_wayBack;
    m_wayBack.reset();
    if (wayBack.running) PutClocks(*wayBack.running);
    m_chosen = wayBack.chosen;
    WriteFan(m_chosen.fanPosition, Reach::Group, curveMayDrive);
    return true;
}

void CCardOwner::SettingsChanged() {
    if (!ReadFanCurveSettings(m_settings).on) return m_curve.GiveBack();
    if (m_curve.Driving()) return m_curve.Retune();
    if (!IsAutomaticFan(m_chosen.fanPosition)) return;
    MarkSession();
    m_curve.Start();
}

void CCardOwner::PutBackFanAfterResume() {
    if (!m_suspended) return;
    if (m_curve.Driving()) return m_curve.Refresh();
    WriteFan(m_chosen.fanPosition, Reach::SelectedGpu, false);
}

void CCardOwner::PutBackClocksAfterResume() {
    CardClocks defaults;
    if (!m_chosen.clocks || (m_card.DefaultClocks(defaults) && SameMhz(*m_chosen.clocks, defaults))) return;
    PutClocks(*m_chosen.clocks);
}

void CCardOwner::PutBackAfterScan(const CardClocks& noted, const CardFan& notedFan) {
    CardClocks running;
    if (!m_card.CurrentClocks(running) || !SameMhz(running, noted)) m_card.Apply(noted, std::nullopt);
    if (m_curve.Driving() || !notedFan.known) return;
    const CardFan fan = m_card.ReadFan();
    if (fan.known && fan.automatic == notedFan.automatic && (fan.automatic || fan.highestPercent == notedFan.highestPercent))
        return;
    m_card.SetGroupFan(m_chosen.fanPosition);
}

void CCardOwner::ScanEnded() {
    CardClocks defaults;
    const bool clocksRaised = m_chosen.clocks && (!m_card.DefaultClocks(defaults) ||
                                                  CrashGuard::AboveDefaults(*m_chosen.clocks, defaults));
    if (clocksRaised || !IsAutomaticFan(m_chosen.fanPosition) || m_curve.Driving() || m_wayBack) return;
    ClearMark();
}

void CCardOwner::Release() {
    PutWayBack(false);
    m_curve.GiveBack();
    ClearMark();
}

void CCardOwner::WriteFan(int fanPosition, Reach reach, bool curveMayDrive) {
    if (curveMayDrive && IsAutomaticFan(fanPosition) && ReadFanCurveSettings(m_settings).on) {
        // Already driving: the fan stays at the curve's level, no flip through automatic.
        if (m_curve.Driving()) return;
        MarkSession();
        return m_curve.Start();
    }
    if (!IsAutomaticFan(fanPosition)) MarkSession();
    // The levels the curve set are on every GPU: none may keep one with nothing driving it.
    const bool curveHeldGroup = m_curve.Driving();
    m_curve.Stop();
    if (reach == Reach::Group) {
        m_card.SetGroupFan(fanPosition);
        return;
    }
    if (curveHeldGroup) m_card.SetGroupFan(kFanAutomaticPosition);
    if (!curveHeldGroup || !IsAutomaticFan(fanPosition)) m_card.SetFan(fanPosition);
}
