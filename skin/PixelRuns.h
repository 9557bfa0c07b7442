#pragma once
#include <cstdint>
#include <vector>

#include "skin/DibImage.h"

// One horizontal run of pixels that differ from the colour key, one pixel high.
struct PixelRun {
    int32_t y;
    int32_t left;
    int32_t right;  // exclusive
};

// Every run of every row, top row first, left to right. A pixel that cannot be read (a depth
// other than 8, 16 or 24 bits) counts as the key, so such an image has no runs.
std::vector<PixelRun> OpaqueRuns(const DibImage& image, uint32_t key);
