#include "ui/MemoryClockFactor.h"

#include "store/Settings.h"

namespace {
int FactorForType(uint32_t code) {
    if (code >= 2 && code <= 6) return 2;
    if (code == 8) return 4;
    return 1;
}
}  // namespace

int MemoryClockFactor(SettingsStore& settings, const std::function<bool(uint32_t& code)>& readMemoryType) {
    if (Settings::Read(settings, Settings::ShowEffectiveMemClock) != 1) return 1;
    uint32_t code = 3;
    uint32_t read = 0;
    if (readMemoryType(read)) code = read;
    return FactorForType(code);
}
