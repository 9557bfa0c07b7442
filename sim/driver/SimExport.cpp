// The simulated driver library: one undecorated cdecl export, like the real one.
#include "sim/driver/SimDriver.h"

extern "C" __declspec(dllexport) void* nvapi_QueryInterface(uint32_t id) {
    return simdriver::QueryInterface(id);
}
