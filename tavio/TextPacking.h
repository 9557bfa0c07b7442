#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "tavio/TextSurface.h"

// The text line as the controller takes it: two bytes per column from the left, the first with
// rows 0 to 7 (row 0 in bit 7), the second with row 8 in bit 7.
using PackedText = std::array<uint8_t, 2 * TextSurface::kWidth>;

// pixels: kWidth * kHeight values row by row; a short picture counts as dark where it ends.
PackedText PackText(const std::vector<uint8_t>& pixels);
