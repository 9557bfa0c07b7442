#pragma once
// A window as a screen reader reads it, through the system's accessibility library.
#include <windows.h>

#include <string>

struct AccessibleReading {
    std::wstring name, value;
    long role = -1;
};

// Empty with role -1 when the window gives no accessibility object.
AccessibleReading ReadAccessible(HWND window);
