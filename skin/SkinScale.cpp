#include "skin/SkinScale.h"

#include <cstring>

int SkinScaleFor(uint32_t dpi, uint32_t setting) {
    if (setting >= 1 && setting <= 3) return static_cast<int>(setting);
    return dpi >= 240 ? 3 : dpi >= 144 ? 2 : 1;
}

DibImage EnlargeDib(const DibImage& image, int factor) {
    const uint16_t bits = image.bitsPerPixel;
    const bool wholeBytes = bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (factor < 2 || factor > 3 || !wholeBytes || image.width <= 0 || image.height <= 0) return image;
    const uint64_t stride = DibRowStride(bits, image.width);
    if (stride * uint64_t(image.height) > image.PixelSize()) return image;

    DibImage out = image;
    out.inPlace = nullptr;
    out.inPlaceSize = 0;
    out.width = image.width * factor;
    out.height = image.height * factor;
    const uint64_t outStride = DibRowStride(bits, out.width);
    out.pixels.assign(outStride * uint64_t(out.height), 0);
    const size_t bytes = bits / 8;
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t* from = image.PixelData() + size_t(y) * stride;
        uint8_t* row = &out.pixels[size_t(y) * factor * outStride];
        for (int32_t x = 0; x < image.width; ++x)
            for (int i = 0; i < factor; ++i)
                std::memcpy(row + (size_t(x) * factor + i) * bytes, from + size_t(x) * bytes, bytes);
        for (int i = 1; i < factor; ++i) std::memcpy(row + i * outStride, row, outStride);
    }
    return out;
}
