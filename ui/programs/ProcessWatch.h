#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/OwnedHandle.h"

// Sees processes start and end without waking the idle program: a window-event hook (out of
// context, so it runs on this thread only when some process makes a top-level window), one
// snapshot of the running processes at Start and at each Rescan, and for each process of interest
// a wait on its handle in the system's thread pool, which posts its end to a window.
class CProcessWatch {
public:
    struct Seen {
        uint32_t id;
        std::wstring imagePath;
        // The creation time: smaller started earlier.
        uint64_t startOrder;
    };
    // True when the process is of interest: it is then waited on until its end.
    using Started = std::function<bool(const Seen&)>;

    // ended: the message posted to the window with the process id in wParam.
    CProcessWatch(HWND window, UINT ended, Started started);
    ~CProcessWatch();
    CProcessWatch(const CProcessWatch&) = delete;
    CProcessWatch& operator=(const CProcessWatch&) = delete;

    // Hooks and looks at every running process, earliest first; false when the hook was refused.
    bool Start();
    // Looks at every running process again (the rules changed); the ones waited on stay.
    void Rescan();
    // The process is no longer of interest, or its end was posted: its wait and handle go.
    void Forget(uint32_t id);
    void ForgetAllBut(const std::function<bool(uint32_t id)>& keep);

private:
    class Waited;
    static void CALLBACK OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                                    DWORD);
    void OnWindowCreated(HWND hwnd);
    struct Opened {
        CKernelHandle process;
        Seen seen;
    };
    // A process that cannot be opened, or is waited on already, is skipped.
    std::unique_ptr<Opened> Open(uint32_t id);
    // Waits on it when it is of interest.
    void Offer(Opened& opened);

    HWND m_window;
    UINT m_ended;
    Started m_started;
    HWINEVENTHOOK m_hook = nullptr;
    std::map<uint32_t, std::unique_ptr<Waited>> m_waited;
};
