#include "tavio/TextPacking.h"

PackedText PackText(const std::vector<uint8_t>& pixels) {
    PackedText packed{};
    for (int y = 0; y < TextSurface::kHeight; ++y) {
        for (int x = 0; x < TextSurface::kWidth; ++x) {
            const size_t at = static_cast<size_t>(y) * TextSurface::kWidth + x;
            if (at >= pixels.size() || pixels[at] == 0) continue;
            packed[2 * x + y / 8] |= static_cast<uint8_t>(0x80u >> (y % 8));
        }
    }
    return packed;
}
