#include "framework/FileDialog.h"

#include "framework/OwnedHandle.h"
#include "framework/SystemLibrary.h"

bool AskFileName(FileDialogKind kind, OPENFILENAMEW& dialog) {
    const CLoadedModule module(LoadSystemLibrary(L"comdlg32.dll"));
    if (!module.Valid()) return false;
    const char* name = kind == FileDialogKind::Open ? "GetOpenFileNameW" : "GetSaveFileNameW";
    const auto ask = SystemCall<BOOL(WINAPI*)(OPENFILENAMEW*)>(module.Get(), name);
    return ask && ask(&dialog);
}
