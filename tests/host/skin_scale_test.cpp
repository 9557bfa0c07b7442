// The whole factor the skinned window is drawn at, and the nearest-neighbour enlargement of its images.
#include <gtest/gtest.h>

#include <vector>

#include "skin/SkinScale.h"

namespace {

TEST(SkinScale, TheFactorFollowsTheDpiUnlessAValidSettingOverridesIt) {
    struct Case {
        uint32_t dpi, setting;
        int factor;
    } const cases[] = {
        {96, 0, 1}, {120, 0, 1}, {143, 0, 1}, {144, 0, 2}, {192, 0, 2}, {239, 0, 2}, {240, 0, 3}, {480, 0, 3},
        {96, 2, 2}, {96, 3, 3}, {288, 1, 1}, {192, 4, 2}, {96, 0xFFFFFFFF, 1}, {0, 0, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(SkinScaleFor(c.dpi, c.setting), c.factor) << c.dpi << " dpi, setting " << c.setting;
}

DibImage Image(int32_t width, int32_t height, uint16_t bits, std::vector<uint8_t> pixels) {
    DibImage image;
    image.width = width;
    image.height = height;
    image.bitsPerPixel = bits;
    image.pixels = std::move(pixels);
    return image;
}

TEST(SkinScale, EnlargingRepeatsEveryPixelAsABlockAndPadsEveryRow) {
    // Bottom row first: (7, 9) under (5, 255).
    const DibImage eightBit = Image(2, 2, 8, {7, 9, 0, 0, 5, 255, 0, 0});
    const DibImage twentyFour = Image(1, 2, 24, {1, 2, 3, 0, 4, 5, 6, 0});
    struct Case {
        const DibImage& image;
        int factor;
        int32_t width, height;
        std::vector<uint8_t> pixels;
    } const cases[] = {
        {eightBit, 2, 4, 4, {7, 7, 9, 9, 7, 7, 9, 9, 5, 5, 255, 255, 5, 5, 255, 255}},
        {eightBit, 3, 6, 6, {7, 7, 7, 9, 9, 9, 0, 0, 7, 7, 7, 9, 9, 9, 0, 0, 7, 7, 7, 9, 9, 9, 0, 0,
                             5, 5, 5, 255, 255, 255, 0, 0, 5, 5, 5, 255, 255, 255, 0, 0, 5, 5, 5, 255, 255, 255, 0, 0}},
        {twentyFour, 2, 2, 4, {1, 2, 3, 1, 2, 3, 0, 0, 1, 2, 3, 1, 2, 3, 0, 0,
                               4, 5, 6, 4, 5, 6, 0, 0, 4, 5, 6, 4, 5, 6, 0, 0}},
        // Nothing to enlarge: factor 1, a factor out of range, a depth of part bytes, short pixels.
        {eightBit, 1, 2, 2, {7, 9, 0, 0, 5, 255, 0, 0}},
        {eightBit, 4, 2, 2, {7, 9, 0, 0, 5, 255, 0, 0}},
        {Image(2, 2, 4, {0x12, 0, 0, 0, 0x34, 0, 0, 0}), 2, 2, 2, {0x12, 0, 0, 0, 0x34, 0, 0, 0}},
        {Image(2, 2, 8, {7, 9, 0, 0}), 2, 2, 2, {7, 9, 0, 0}},
    };
    for (const Case& c : cases) {
        const DibImage out = EnlargeDib(c.image, c.factor);
        EXPECT_EQ(out.width, c.width);
        EXPECT_EQ(out.height, c.height);
        EXPECT_EQ(out.pixels, c.pixels) << c.image.bitsPerPixel << " bits by " << c.factor;
    }
}

}  // namespace
