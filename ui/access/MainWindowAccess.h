#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "framework/AccessibleWindow.h"

// The main window's sliders, buttons and temperature for screen readers: each control by what it
// is and does, the sliders' values as their labels show them.
class CMainWindowAccess {
public:
    static constexpr size_t kControls = 11;

    // The fan's value ("Auto", "Curve 45 %", "70 %") is the window's to say.
    void Attach(HWND dialog, std::function<std::wstring()> fanValue);
    // After the labels or the fan changed: raises the events for what a reader announces.
    void Refresh();

private:
    std::array<CAccessibleWindow, kControls> m_controls;
};
