#pragma once
#include <windows.h>

#include <memory>
#include <optional>

#include "gpu/Card.h"
#include "ui/scan/ClockSearch.h"
#include "ui/scan/ClockTestWorker.h"

class CCardOwner;
class SettingsStore;

// A scan on the card: the search's requests sent to the driver's test one at a time off the UI
// thread, the state stored before each so a crash loses nothing, and at every end the clocks the
// card ran before it put back through the card's owner. Only test requests reach the card.
class CClockScanRun {
public:
    enum class End { Finished, Stopped, DriverError, Unavailable };
    struct Outcome {
        End end = End::Finished;
        std::optional<CardClocks> found;
        int passes = 0;
        int testsSent = 0;
        ULONGLONG milliseconds = 0;
    };
    // Told of each request sent and of the end; the window while it is open.
    class Listener {
    public:
        virtual void ScanStepSent(const ScanRequest& request, const CardClocks& bestPassed, int progressPercent) = 0;
        virtual void ScanEnded(const Outcome& outcome) = 0;

    protected:
        ~Listener() = default;
    };

    CClockScanRun(CCard& card, CCardOwner& owner, SettingsStore& settings)
        : m_card(card), m_owner(owner), m_settings(settings) {}
    ~CClockScanRun() { Abandon(); }
    CClockScanRun(const CClockScanRun&) = delete;
    CClockScanRun& operator=(const CClockScanRun&) = delete;

    // Answers come to this window as CClockTestWorker::kAnswerMessage, handed to OnAnswer.
    void Attach(HWND answerWindow) { m_answerWindow = answerWindow; }
    void SetListener(Listener* listener) { m_listener = listener; }

    bool Running() const { return m_search.has_value(); }
    // A request is with the driver: nothing else may use the card until its answer.
    bool TestInFlight() const { return m_inFlight; }
    // The driver answered a test as unavailable this session.
    bool Unavailable() const { return m_unavailable; }
    ULONGLONG Elapsed() const { return Running() ? GetTickCount64() - m_startTick : 0; }

    // From the defaults, or from a state stored before a crash (its candidate counted as failed).
    void Start(const ScanBounds& bounds, const std::optional<ScanState>& resumed);
    // Ends the scan at the next answer.
    void Stop() { m_stopAsked = true; }
    void OnAnswer(ClockTestAnswer answer, LPARAM tag);
    // The window closes or the program ends: waits for a request under way, puts the clocks
    // back, and clears the stored state (this is no crash).
    void Abandon();

private:
    void SendNext();
    void Finish(End end);
    int ProgressPercent(const ScanRequest& request) const;

    CCard& m_card;
    CCardOwner& m_owner;
    SettingsStore& m_settings;
    HWND m_answerWindow = nullptr;
    Listener* m_listener = nullptr;
    std::optional<CClockSearch> m_search;
    ScanBounds m_bounds;
    std::unique_ptr<CClockTestWorker> m_worker;
    std::optional<CardClocks> m_noted;
    CardFan m_notedFan;
    ULONGLONG m_startTick = 0;
    bool m_inFlight = false;
    LPARAM m_requestTag = 0;
    bool m_stopAsked = false;
    bool m_answered = false;
    bool m_unavailable = false;
};
