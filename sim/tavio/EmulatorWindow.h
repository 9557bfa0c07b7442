#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "sim/tavio/EmulatorTransport.h"

// The controller on the desktop: its screen as the emulator decodes it (the three numbers as
// seven-segment digits, the lamps, the two bars and the text line at three times its size), its
// three keys and an Unplug/Plug toggle. A key held down with the mouse, or as 1, 2 or 3 on the
// keyboard, sends one press and, when let go, one release, so the program repeats it meanwhile.
class CEmulatorWindow {
public:
    static constexpr const wchar_t* kTitle = L"Tavio";
    static constexpr int kPlugButtonId = 100;
    // Answered with the microseconds the emulator's own work has taken on the GUI thread so far.
    static constexpr UINT kCostMessage = WM_APP + 0x71;

    explicit CEmulatorWindow(CEmulatorTransport& emulator) : m_emulator(emulator) {}
    ~CEmulatorWindow();
    CEmulatorWindow(const CEmulatorWindow&) = delete;
    CEmulatorWindow& operator=(const CEmulatorWindow&) = delete;

    // Shown just below the given window, so that it never covers it.
    bool Create(HINSTANCE instance, HWND below);
    HWND Handle() const { return m_hwnd; }

    // Client rectangles of the keys, 0 left, 1 middle, 2 right, for people and scripts.
    static RECT KeyRect(int key);
    // Client rectangle of a lamp, by its id; empty for an id the glass lacks.
    static RECT LampRect(int lamp);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void KeyDown(int key);
    void KeyUp();
    void TogglePlug();
    void Paint(HDC dc);
    void ScreenChanged();

    CEmulatorTransport& m_emulator;
    HWND m_hwnd = nullptr;
    HWND m_plugButton = nullptr;
    int m_held = -1;
    // What the last paint showed of the decoder: a report that changes none of it is not redrawn.
    std::vector<uint8_t> m_shown;
};
