#include "ui/scan/ClockScanRun.h"

#include <algorithm>
#include <cwchar>

#include "store/Settings.h"
#include "ui/CardOwner.h"

namespace {
std::wstring LocalTimeText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[32];
    swprintf(text, 32, L"%04u-%02u-%02u %02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
    return text;
}

double Fraction(double value, double from, double to) {
    if (to <= from) return 1.0;
    return std::clamp((value - from) / (to - from), 0.0, 1.0);
}
}  // namespace

void CClockScanRun::Start(const ScanBounds& bounds, const std::optional<ScanState>& resumed) {
    if (Running()) return;
    m_bounds = bounds;
    if (resumed && ScanStateFits(*resumed, bounds) && ScanStateConsistent(*resumed)) {
        m_search.emplace(bounds, *resumed);
        m_search->CountCrashed();
    } else {
        m_search.emplace(bounds);
    }
    CardClocks running;
    m_noted = m_card.CurrentClocks(running) ? std::optional(running) : std::nullopt;
    m_notedFan = m_card.ReadFan();
    m_worker = std::make_unique<CClockTestWorker>(
        [this](const CardClocks& clocks, bool& passed) {
            int answer = 0;
            const bool ran = m_card.TestClocks(clocks, answer);
            passed = answer == 1;
            return ran;
        },
        m_answerWindow);
    m_startTick = GetTickCount64();
    m_stopAsked = m_answered = false;
    if (m_search->Done()) return Finish(End::Finished);
    SendNext();
}

void CClockScanRun::SendNext() {
    const ScanRequest request = m_search->Next();
    // On disk before the driver sees the request: a machine that goes down with it finds it here.
    m_settings.WriteStringDurably(L"", Settings::ScanState, ScanStateText(m_search->State()));
    m_owner.MarkForScan();
    m_inFlight = true;
    m_worker->Send(request.clocks, ++m_requestTag);
    if (m_listener) m_listener->ScanStepSent(request, m_search->BestPassed(), ProgressPercent(request));
}

void CClockScanRun::OnAnswer(ClockTestAnswer answer, LPARAM tag) {
    if (!Running() || !m_inFlight || tag != m_requestTag) return;
    m_inFlight = false;
    if (answer == ClockTestAnswer::Unavailable) {
        // Not one answer yet: the driver has no test. Later it is a driver that stopped answering.
        if (m_answered) return Finish(End::DriverError);
        m_unavailable = true;
        return Finish(End::Unavailable);
    }
    m_answered = true;
    m_search->Record(answer == ClockTestAnswer::Passed);
    if (m_stopAsked) return Finish(End::Stopped);
    if (m_search->Done()) return Finish(End::Finished);
    SendNext();
}

void CClockScanRun::Abandon() {
    if (!Running()) return;
    m_listener = nullptr;
    Finish(End::Stopped);
}

void CClockScanRun::Finish(End end) {
    if (m_worker) m_worker->Close();
    m_worker.reset();
    m_inFlight = false;
    if (m_noted) m_owner.PutBackAfterScan(*m_noted, m_notedFan);
    m_owner.ScanEnded();
    Outcome outcome{end, std::nullopt, 0, m_search->TestsSent(), GetTickCount64() - m_startTick};
    if (end == End::Finished) {
        outcome.found = m_search->Found();
        outcome.passes = m_search->FoundPasses();
    }
    if (outcome.found)
        m_settings.WriteString(L"", Settings::LastScan,
                               LastScanText({*outcome.found, outcome.passes, LocalTimeText(), m_card.DriverVersion()}));
    m_settings.WriteString(L"", Settings::ScanState, L"");
    m_search.reset();
    if (m_listener) m_listener->ScanEnded(outcome);
}

// The domains in the order they are searched, each an equal share of the bar.
int CClockScanRun::ProgressPercent(const ScanRequest& request) const {
    const ScanState& state = m_search->State();
    const int shares = m_bounds.hasShader ? 4 : 3;
    int done = 0;
    double within = 0;
    switch (request.domain) {
    case ScanDomain::Core:
        within = Fraction(request.clocks.core, m_bounds.defaults.core, m_bounds.ends.core);
        break;
    case ScanDomain::Shader:
        done = 1;
        within = Fraction(request.clocks.shader, m_bounds.defaults.shader, m_bounds.ends.shader);
        break;
    case ScanDomain::Memory:
        done = shares - 2;
        within = Fraction(request.clocks.memory, m_bounds.defaults.memory, m_bounds.ends.memory);
        break;
    case ScanDomain::Together:
        done = shares - 1;
        within = static_cast<double>(state.togetherTry - 1) / CClockSearch::kTogetherTries;
        break;
    }
    return static_cast<int>((done + within) * 100 / shares);
}
