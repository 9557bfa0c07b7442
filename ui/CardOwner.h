#pragma once
#include <windows.h>

#include <optional>

#include "gpu/Card.h"
#include "gpu/FanPosition.h"
#include "ui/FanCurveDriver.h"

class SettingsStore;

// What the user chose for the card: the clocks this session put there and the fan.
struct UserChoice {
    // nullopt while the card runs its own clocks (as found at the start, or the defaults).
    std::optional<CardClocks> clocks;
    // A fan slider position: above 100 the card's automatic control, which the curve drives
    // while it is on.
    int fanPosition = kFanAutomaticPosition;
};

// The one owner of what the user chose. Every path that changes the card (Apply, Reset, the
// restore, profiles from anywhere, the confirmation's way back, the resume, the exit) sets the
// choice here, and this writes it: the clocks, then the fan either fixed, automatic or driven by
// the curve. Whenever the curve stops, every GPU it set gets the new choice or automatic control.
class CCardOwner {
public:
    // Which GPUs a choice goes to: the group, as Apply does, or only the GPU selected last, as
    // the profiles dialog's Activate does.
    enum class Reach { Group, SelectedGpu };

    CCardOwner(CCard& card, SettingsStore& settings) : m_card(card), m_curve(card, settings), m_settings(settings) {}

    void Attach(HWND window) { m_curve.Attach(window); }
    // At the start: the fan found on the card is the user's; an automatic one is driven by the
    // curve from now on when the curve is on.
    void TakeOver(int fanPositionFound);

    const UserChoice& Chosen() const { return m_chosen; }
    bool CurveDriving() const { return m_curve.Driving(); }
    CFanCurveDriver& Curve() { return m_curve; }

    // The clocks when given (else the card keeps its own), then the fan.
    void Put(const UserChoice& choice, Reach reach = Reach::Group);
    // The clocks on every GPU; the fan stays as chosen.
    void PutClocks(const CardClocks& clocks);
    // Default clocks and automatic fan on every GPU; the curve does not take the fan again
    // until the user chooses an automatic fan.
    void PutDefaults();
    // The card runs too hot: as PutDefaults, but a driving curve keeps the fan, and nothing is
    // stored or cleared, as "Last*" still hold the user's overclock.
    void PutDefaultsWhenHot();

    // A choice that waits for the user's Keep: the way back is what was chosen, and what the card
    // ran, before the first of them.
    void PutUnconfirmed(const UserChoice& choice, const std::optional<CardClocks>& runningBefore);
    bool Unconfirmed() const { return m_wayBack.has_value(); }
    // Kept, or overtaken by a choice that needs no confirming: the way back is dropped.
    void Confirm() { m_wayBack.reset(); }
    // Puts the way back on the card; false when nothing waited.
    bool PutBack();

    // A program's profile on every GPU of the group, not the user's choice. The first of a run (or
    // one that finds nothing kept) keeps what the user chose before it, or before an unconfirmed
    // Apply when one waits, to go back.
    void PutForProgram(const UserChoice& choice, bool firstOfRun);
    // What the user chose before the programs' profiles goes back; false when nothing was kept,
    // or a change since then (the user's, or the temperature guard's) dropped it.
    bool PutBackBeforePrograms();
    bool KeepsBeforePrograms() const { return m_beforePrograms.has_value(); }
    // Counts every change of the user's (Apply, Reset, a profile from anywhere, the restore) and
    // the temperature guard's; a program's profile leaves it.
    uint32_t UserChanges() const { return m_userChanges; }

    // The settings were stored: a curve turned off gives the fan back, one still on takes the
    // new points keeping its level, one turned on drives an automatic fan.
    void SettingsChanged();
    // A resume after a suspend puts back the fan as chosen (the curve from a fresh reading; a fixed
    // or automatic fan on the GPU selected last, as the clocks survive a suspend and the fan setting
    // may not) and, when asked, the clocks this session put there, but not the defaults.
    void OnSuspend() { m_suspended = true; }
    void PutBackFanAfterResume();
    void PutBackClocksAfterResume();
    // The window or the session ends: unconfirmed clocks go back and a fan the curve holds is
    // given back; nothing starts driving again. A clean end: the crash mark goes.
    void Release();
    // The clock scan's test requests count as an overclock: marked before the first.
    void MarkForScan() { MarkSession(); }
    // A scan ended: when the card's clocks (or its fan, the curve not driving) differ from what
    // it ran before the scan, that goes back on every GPU. The choice stays as it was.
    void PutBackAfterScan(const CardClocks& noted, const CardFan& notedFan);
    // The mark stays only while the choice itself is an overclock or holds the fan.
    void ScanEnded();
    // The last session ended badly: the fan goes back to automatic control on every GPU and the
    // mark goes; the next overclock marks the session again.
    void RecoverFromCrash();

private:
    void UserChanged();
    void PutChoice(const UserChoice& choice, Reach reach);
    bool PutWayBack(bool curveMayDrive);
    // Before the driver call that puts an overclock or a held fan on the card, on disk.
    void MarkSession();
    void ClearMark();
    void WriteFan(int fanPosition, Reach reach, bool curveMayDrive);

    CCard& m_card;
    CFanCurveDriver m_curve;
    SettingsStore& m_settings;
    UserChoice m_chosen;
    bool m_suspended = false;
    bool m_marked = false;
    struct WayBack {
        UserChoice chosen;
        std::optional<CardClocks> running;
    };
    std::optional<WayBack> m_wayBack;
    std::optional<WayBack> m_beforePrograms;
    uint32_t m_userChanges = 0;
};
