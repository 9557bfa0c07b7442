#include "ui/scan/ClockTestWorker.h"

CClockTestWorker::CClockTestWorker(Test test, HWND answerWindow)
    : m_test(std::move(test)), m_answerWindow(answerWindow), m_thread([this] { Run(); }) {}

CClockTestWorker::~CClockTestWorker() { Close(); }

void CClockTestWorker::Send(const CardClocks& clocks, LPARAM tag) {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_request = clocks;
        m_tag = tag;
    }
    m_wake.notify_one();
}

void CClockTestWorker::Close() {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_closing = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable()) m_thread.join();
}

// A request sent before Close is still run: the window it came from waits for its answer.
void CClockTestWorker::Run() {
    for (;;) {
        CardClocks clocks;
        LPARAM tag = 0;
        {
            std::unique_lock<std::mutex> hold(m_lock);
            m_wake.wait(hold, [this] { return m_request.has_value() || m_closing; });
            if (!m_request) return;
            clocks = *m_request;
            tag = m_tag;
            m_request.reset();
        }
        bool passed = false;
        const bool ran = m_test(clocks, passed);
        const ClockTestAnswer answer =
            !ran ? ClockTestAnswer::Unavailable : passed ? ClockTestAnswer::Passed : ClockTestAnswer::Failed;
        PostMessageW(m_answerWindow, kAnswerMessage, static_cast<WPARAM>(answer), tag);
    }
}
