#pragma once
#include <windows.h>

// A library of the system folder, loaded for as long as its caller needs it; nullptr when it
// cannot be loaded. Never searched for elsewhere.
HMODULE LoadSystemLibrary(const wchar_t* name);

// One export of a loaded library as the caller's function type; nullptr when it has none.
template <typename Call>
Call SystemCall(HMODULE module, const char* name) {
    return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
