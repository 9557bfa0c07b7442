#pragma once
// Acts inside a modal dialog's own message loop, as a user would: a thread timer ticks there
// while the dialog runs, finds it by its title and runs the next step. Keys and clicks posted by
// a step go through the dialog's loop, so its keyboard handling (Escape ending it) is what a user
// gets. Message boxes of the dialog, or of a dialog it opened, are closed with OK and their texts
// kept. A dialog still open a while after the last step is ended with IDABORT, so a test never
// hangs.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class ModalScript {
public:
    using Step = std::function<void(HWND dialog)>;

    ModalScript(std::wstring title, std::vector<Step> steps);
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    size_t StepsRun() const { return m_next; }
    bool AllRan() const { return m_next == m_steps.size(); }
    // The dialog had to be ended by the script.
    bool Forced() const { return m_forced; }
    const std::vector<std::wstring>& MessageBoxes() const { return m_boxes; }

    // Step helpers: a click on a dialog button, and keys to the window with the focus.
    static void Click(HWND dialog, int id);
    static void PressKey(HWND target, WPARAM key);
    static void Type(HWND target, const std::wstring& text);

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();
    HWND FindDialog() const;
    bool CloseMessageBox(HWND dialog);

    static ModalScript* s_active;
    std::wstring m_title;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    int m_idleTicks = 0;
    bool m_forced = false;
    bool m_running = false;
    std::vector<std::wstring> m_boxes;
    UINT_PTR m_timer = 0;
};
