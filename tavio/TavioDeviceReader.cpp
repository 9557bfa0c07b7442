#include "tavio/TavioDeviceReader.h"

#include <algorithm>

#include "tavio/KeyReport.h"
#include "tavio/TavioDeviceRules.h"

bool CTavioReader::Prepare() {
    // The read event starts signalled; the stop event is manual-reset, so a stop is never lost
    // to a wait that did not see it.
    m_readEvent.Reset(CreateEventW(nullptr, TRUE, TRUE, nullptr));
    m_stopEvent.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_overlapped = OVERLAPPED{};
    m_overlapped.hEvent = m_readEvent.Get();
    return m_readEvent.Valid() && m_stopEvent.Valid();
}

void CTavioReader::Start(HANDLE read, size_t inputLength, HWND window) {
    if (Running() || !m_stopEvent.Valid()) return;
    m_read = read;
    m_inputLength = std::min(inputLength, KeyReport::kReadBufferSize);
    m_thread = std::thread([this, window] { Loop(window); });
}

void CTavioReader::Stop() {
    if (!Running()) return;
    SetEvent(m_stopEvent.Get());
    m_thread.join();
}

CTavioReader::Read CTavioReader::ReadOne(uint8_t* buffer, DWORD& transferred) {
    transferred = 0;
    if (!ReadFile(m_read, buffer, static_cast<DWORD>(m_inputLength), nullptr, &m_overlapped) &&
        GetLastError() != ERROR_IO_PENDING)
        return Read::Failed;
    // No timeout: a stop or a removed device's failed read ends the wait, so an idle controller
    // never wakes the reader.
    HANDLE waits[2] = {m_stopEvent.Get(), m_readEvent.Get()};
    const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (woke == WAIT_OBJECT_0 + 1)
        return GetOverlappedResult(m_read, &m_overlapped, &transferred, FALSE) ? Read::Report : Read::Failed;
    // The buffer and the record belong to the read until its cancel has completed.
    CancelIo(m_read);
    GetOverlappedResult(m_read, &m_overlapped, &transferred, TRUE);
    transferred = 0;
    return woke == WAIT_OBJECT_0 ? Read::Stopped : Read::Failed;
}

// Only what a read completed is decoded; a failing read is tried again after a pause, never in a
// tight loop.
void CTavioReader::Loop(HWND window) {
    uint8_t buffer[KeyReport::kReadBufferSize] = {};
    for (;;) {
        DWORD transferred = 0;
        switch (ReadOne(buffer, transferred)) {
        case Read::Stopped:
            return;
        case Read::Failed:
            if (WaitForSingleObject(m_stopEvent.Get(), TavioDeviceRules::kReadRetryMs) == WAIT_OBJECT_0) return;
            break;
        case Read::Report: {
            const KeyReport::Events events = KeyReport::Decode(buffer, std::min<size_t>(transferred, sizeof(buffer)));
            for (size_t i = 0; i < events.count; ++i) PostMessageW(window, WM_USER, events.codes[i], 0);
            break;
        }
        }
    }
}
