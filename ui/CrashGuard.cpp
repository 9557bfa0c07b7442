#include "ui/CrashGuard.h"

#include "ui/Truncate.h"

namespace CrashGuard {

bool AboveDefaults(const CardClocks& clocks, const CardClocks& defaults) {
    return TruncToInt(clocks.core) > TruncToInt(defaults.core) ||
           TruncToInt(clocks.memory) > TruncToInt(defaults.memory) ||
           TruncToInt(clocks.shader) > TruncToInt(defaults.shader);
}

Start AtStart(bool guardOn, bool markFound, uint32_t lastDriver, uint32_t driverNow) {
    if (!guardOn) return Start::AsUsual;
    if (markFound) return Start::AfterCrash;
    if (lastDriver != 0 && driverNow != 0 && lastDriver != driverNow) return Start::AfterDriverChange;
    return Start::AsUsual;
}

}  // namespace CrashGuard
