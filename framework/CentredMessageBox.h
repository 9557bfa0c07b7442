#pragma once
#include <windows.h>

// A message box owned by owner and centred over it (kept on the owner's monitor), where a plain
// one opens in the middle of the screen.
int CentredMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
