#pragma once
#include "gpu/DriverInterface.h"

// Where the driver's query entry comes from: the driver library of the system folder in the
// Windows build, a stand-in elsewhere. Owns whatever it loads.
class DriverLibrary {
public:
    virtual ~DriverLibrary() = default;
    // False when the library is not there or cannot be loaded.
    virtual bool Load() = 0;
    // The library's query entry; null when it exports none.
    virtual QueryInterfaceFn QueryEntry() = 0;
};
