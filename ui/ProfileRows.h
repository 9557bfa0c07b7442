#pragma once
#include <cstdint>
#include <string>

#include "store/Profile.h"

// A profile as a row of the profiles dialog: name, core, shown memory, shader, fan.
struct ProfileRowTexts {
    std::wstring name, core, memory, shader, fan;
};

ProfileRowTexts ProfileRow(const PROFILE& profile, int memoryFactor);

// "Auto" only for exactly 110, the value a profile made at the slider's end holds; every other
// value as a percent, 101 to 109 too, although each of them activates the automatic fan.
std::wstring ProfileFanText(uint8_t fan);

// A profile named "New Profile" from the slider positions; the memory slider shows the real
// clock times the factor, so it is divided back, truncating.
PROFILE ProfileFromSliders(int core, int memorySlider, int memoryFactor, int shader, int fan);
