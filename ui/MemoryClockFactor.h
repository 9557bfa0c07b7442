#pragma once
#include <cstdint>
#include <functional>

#include "store/SettingsStore.h"

// The multiplier between the real memory clock and the one the memory slider shows: 1, 2 or 4.
// Values read from the card are multiplied by it, slider values divided by it.
//
// Only with "ShowEffectiveMemClock" exactly 1 is the card asked for its memory type;
// readMemoryType returns false when it cannot tell, and the type then counts as code 3.
// Codes 2 to 6 give 2, code 8 gives 4, every other code 1.
int MemoryClockFactor(SettingsStore& settings, const std::function<bool(uint32_t& code)>& readMemoryType);
