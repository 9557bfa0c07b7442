#pragma once
// The skin's pixels as the screen shows them, to compare a window's painting with.
#include <windows.h>

#include "tests/win/support/GdiCanvas.h"

// A device bitmap of one of the program's bitmap resources, made as the main dialog makes it;
// the canvas is not valid when the resource cannot be made into one.
GdiCanvas* NewResourceCanvas(UINT id, int factor = 1);

// A pixel of a window as it is on the screen now, read through the window's own device context.
COLORREF WindowPixel(HWND hwnd, int x, int y);
