#pragma once
#include <windows.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "gpu/Card.h"

// The driver's answer to one test request, as the worker posts it (lParam: the request's tag).
enum class ClockTestAnswer : WPARAM { Failed = 0, Passed = 1, Unavailable = 2 };

// Runs the driver's clock test on a thread of its own, one request at a time, so the windows
// paint and take Stop while the driver thinks. The answer comes back as a message posted to the
// given window. The caller hands out the card for exactly one request and must not use it until
// the answer's message arrived (or Close returned): the GPU layer is never used by two threads.
class CClockTestWorker {
public:
    static constexpr UINT kAnswerMessage = WM_APP + 0x31;

    // test: true when the driver ran the test, passed then telling its answer.
    using Test = std::function<bool(const CardClocks& clocks, bool& passed)>;

    CClockTestWorker(Test test, HWND answerWindow);
    ~CClockTestWorker();
    CClockTestWorker(const CClockTestWorker&) = delete;
    CClockTestWorker& operator=(const CClockTestWorker&) = delete;

    // The tag comes back with the answer: one posted for an abandoned scan is told from the next.
    void Send(const CardClocks& clocks, LPARAM tag);
    // Waits for a request under way to be answered (a test cannot be cancelled), then ends the
    // thread; its answer is still posted.
    void Close();

private:
    void Run();

    Test m_test;
    HWND m_answerWindow;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::optional<CardClocks> m_request;
    LPARAM m_tag = 0;
    bool m_closing = false;
    std::thread m_thread;
};
