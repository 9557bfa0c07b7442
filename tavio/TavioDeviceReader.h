#pragma once
#include <windows.h>

#include <thread>

#include "tavio/TavioDeviceHandles.h"

// The reader of one open controller: overlapped reads of whole input reports on its own thread,
// each report's key events posted to a window as WM_USER. Its events and read record are its
// own, so a reader of an earlier open can never wake or complete this one.
class CTavioReader {
public:
    CTavioReader() = default;
    ~CTavioReader() { Stop(); }
    CTavioReader(const CTavioReader&) = delete;
    CTavioReader& operator=(const CTavioReader&) = delete;

    // Makes the events; false (with the error left for GetLastError) when the system gave none.
    bool Prepare();
    // read: a handle opened for overlapped reads; inputLength: the bytes of one report (1 to 256).
    // The handle must stay open until Stop has returned.
    void Start(HANDLE read, size_t inputLength, HWND window);
    // Ends a pending read at once and waits for the thread.
    void Stop();
    bool Running() const { return m_thread.joinable(); }

private:
    enum class Read { Report, Stopped, Failed };
    Read ReadOne(uint8_t* buffer, DWORD& transferred);
    void Loop(HWND window);

    CKernelHandle m_readEvent;
    CKernelHandle m_stopEvent;
    OVERLAPPED m_overlapped{};
    HANDLE m_read = INVALID_HANDLE_VALUE;
    size_t m_inputLength = 0;
    std::thread m_thread;
};
