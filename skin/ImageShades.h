#pragma once
#include <cstdint>

// The two derived looks a button can make of its hover image when it has no normal image.
struct Rgb {
    uint8_t r, g, b;
};
inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

// Each channel less a quarter, truncated: 255 gives 191, 1 gives 0.
Rgb DarkerShade(Rgb colour);
// The luminance 0.299 R + 0.587 G + 0.114 B, truncated, in all three channels.
Rgb GreyShade(Rgb colour);
