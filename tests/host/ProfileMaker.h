#pragma once
// A profile as tests write it out: every field given, the name cut as the store cuts it.
#include <array>
#include <string>

#include "store/Profile.h"

inline PROFILE MakeProfile(const std::wstring& name, int32_t core = 700, int32_t memory = 1000, int32_t shader = 1400,
                           uint8_t fan = 110) {
    PROFILE profile{};
    SetProfileName(profile, name);
    profile.core = core;
    profile.memory = memory;
    profile.shader = shader;
    profile.fan = fan;
    return profile;
}

// Its core, memory, shader and fan, to be checked in one line.
inline std::array<int, 4> ProfileValues(const PROFILE& p) { return {p.core, p.memory, p.shader, p.fan}; }
