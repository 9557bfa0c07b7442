#pragma once
#include <cstdint>

// The gauge slot on the dialog face: the gauge bitmap's bottom rows are copied so that it fills
// upward from the slot's bottom, 119 rows for 120 degrees.
inline constexpr int kGaugeSlotX = 515;
inline constexpr int kGaugeSlotTop = 95;

struct GaugeCopy {
    int rows;     // 0: nothing to draw
    int sourceY;  // first row taken from the gauge bitmap
    int destX;
    int destY;
};

// Never more rows than the bitmap has; a negative temperature draws nothing.
GaugeCopy GaugeCopyFor(int32_t celsius, int gaugeHeight);
