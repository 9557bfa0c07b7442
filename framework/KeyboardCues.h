#pragma once
#include <windows.h>

// Whether a top-level window shows its keyboard cues (focus marks): only once a key was used in
// it, as the system's own windows do. Kept beside the system's state because not every system
// keeps that state for a window of its own class.
bool KeyboardCuesShown(HWND topLevel);
// A key was used in the window: its cues show from now on, repainted once.
void ShowKeyboardCues(HWND topLevel);
