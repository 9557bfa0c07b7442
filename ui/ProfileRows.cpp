#include "ui/ProfileRows.h"

#include <iterator>

ProfileRowTexts ProfileRow(const PROFILE& profile, int memoryFactor) {
    // Never past the field, whatever it holds.
    size_t length = 0;
    while (length < std::size(profile.name) && profile.name[length]) ++length;
    const std::wstring name(profile.name, length);
    const int64_t shownMemory = static_cast<int64_t>(profile.memory) * (memoryFactor > 0 ? memoryFactor : 1);
    return {name, std::to_wstring(profile.core), std::to_wstring(shownMemory), std::to_wstring(profile.shader),
            ProfileFanText(profile.fan)};
}

std::wstring ProfileFanText(uint8_t fan) { return fan == 110 ? L"Auto" : std::to_wstring(fan) + L" %"; }

PROFILE ProfileFromSliders(int core, int memorySlider, int memoryFactor, int shader, int fan) {
    PROFILE profile{};
    SetProfileName(profile, L"New Profile");
    profile.core = core;
    profile.memory = memorySlider / (memoryFactor > 0 ? memoryFactor : 1);
    profile.shader = shader;
    profile.fan = static_cast<uint8_t>(fan < 0 ? 0 : fan > 255 ? 255 : fan);
    return profile;
}
