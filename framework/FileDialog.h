#pragma once
#include <windows.h>
#include <commdlg.h>

// The system's file dialog. Its library is loaded only for the dialog: linked in, it brings the
// printing libraries with it, a few megabytes resident for as long as the program runs.
enum class FileDialogKind { Open, Save };
// False when the user cancelled or the dialog could not be shown.
bool AskFileName(FileDialogKind kind, OPENFILENAMEW& dialog);
