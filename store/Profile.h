#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One overclocking profile. Clocks in whole MHz; memory is the real clock. Fan 0..100 is a fixed
// percent, above 100 (110 in practice) automatic control.
struct PROFILE {
    wchar_t name[64];
    int32_t core;
    int32_t memory;
    int32_t shader;
    uint8_t fan;
};

using ProfileList = std::vector<PROFILE>;

inline constexpr size_t kProfileNameMax = 63;

// Copies a name into the fixed field, cut to 63 units and never through a surrogate pair.
void SetProfileName(PROFILE& profile, const std::wstring& name);
