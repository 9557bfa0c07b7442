#pragma once
#include <windows.h>

#include <string>

#include "gpu/DriverLibrary.h"

// The display driver's interface library, loaded from the system folder and nowhere else.
class CSystemDriverLibrary : public DriverLibrary {
public:
    CSystemDriverLibrary() = default;
    ~CSystemDriverLibrary() override;
    CSystemDriverLibrary(const CSystemDriverLibrary&) = delete;
    CSystemDriverLibrary& operator=(const CSystemDriverLibrary&) = delete;

    bool Load() override;
    QueryInterfaceFn QueryEntry() override;

    // Full path of the library in the system folder; empty when the folder cannot be found.
    static std::wstring LibraryPath();

private:
    HMODULE m_module = nullptr;
};
