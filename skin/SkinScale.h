#pragma once
#include <cstdint>

#include "skin/DibImage.h"

// The whole factor the skinned window is drawn at: 1 below 144 DPI, 2 up to 239, 3 from 240.
// A stored 1, 2 or 3 overrides the DPI; anything else (0 or absent) leaves it automatic.
int SkinScaleFor(uint32_t dpi, uint32_t setting);

// Every pixel as a factor-by-factor block, so hard edges and the colour key stay exact. A factor
// outside 1 to 3, or a depth other than 8, 16, 24 or 32 bits, gives the image unchanged.
DibImage EnlargeDib(const DibImage& image, int factor);
