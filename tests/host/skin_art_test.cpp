// The committed bitmaps: plain 24-bit files of the sizes the window is laid out for, the skin's
// key colour and shape, and the buttons' face-coloured pixels.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/DibImage.h"
#include "skin/PixelRuns.h"

namespace {

std::vector<uint8_t> ReadFile(const std::string& name) {
    std::ifstream file(std::string(OSKARA_SOURCE_DIR) + "/res/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

uint32_t Le32(const std::vector<uint8_t>& d, size_t at) {
    return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | uint32_t(d[at + 3]) << 24;
}

struct Art {
    const char* file;
    int width, height;
    int faceColoured;  // pixels of 0xFEFEFE
};
const Art kArt[] = {
    {"skin.bmp", 650, 261, -1},
    {"gauge.bmp", 74, 119, -1},
    {"button-options-hover.bmp", 55, 28, 4},    {"button-options-normal.bmp", 55, 28, 4},
    {"button-close-hover.bmp", 27, 28, 4},      {"button-close-normal.bmp", 27, 28, 4},
    {"button-minimize-hover.bmp", 27, 28, 4},   {"button-minimize-normal.bmp", 27, 28, 4},
    {"button-apply-hover.bmp", 85, 22, 4},      {"button-apply-normal.bmp", 85, 22, 4},
    {"button-reset-hover.bmp", 85, 22, 4},      {"button-reset-normal.bmp", 85, 22, 4},
    {"button-profiles-hover.bmp", 72, 19, 4},   {"button-profiles-normal.bmp", 72, 19, 4},
};

TEST(SkinArt, EveryBitmapIsAPlain24BitFileOfItsSize) {
    for (const Art& art : kArt) {
        const std::vector<uint8_t> file = ReadFile(art.file);
        ASSERT_GE(file.size(), 54u) << art.file;
        EXPECT_EQ(file[0], 'B') << art.file;
        EXPECT_EQ(file[1], 'M') << art.file;
        EXPECT_EQ(Le32(file, 10), 54u) << art.file << ": pixels right after the header";
        EXPECT_EQ(Le32(file, 14), 40u) << art.file;
        EXPECT_EQ(Le32(file, 18), uint32_t(art.width)) << art.file;
        EXPECT_EQ(Le32(file, 22), uint32_t(art.height)) << art.file;
        EXPECT_EQ(file[28] | file[29] << 8, 24) << art.file;
        EXPECT_EQ(Le32(file, 30), 0u) << art.file << ": BI_RGB";
        EXPECT_EQ(Le32(file, 46), 0u) << art.file << ": biClrUsed";
        const size_t stride = (art.width * 3 + 3) / 4 * 4;
        EXPECT_EQ(file.size(), 54 + stride * art.height) << art.file;

        // A resource holds the file less its 14-byte file header.
        DibImage image;
        ASSERT_EQ(ParseDib(file.data() + 14, file.size() - 14, image), kDibOk) << art.file;
        if (art.faceColoured < 0) continue;
        int face = 0;
        for (int y = 0; y < art.height; ++y)
            for (int x = 0; x < art.width; ++x) {
                uint32_t v = 0;
                ASSERT_TRUE(DibPixelValue(image, x, y, v));
                face += v == 0xFEFEFE;
            }
        EXPECT_EQ(face, art.faceColoured) << art.file;
    }
}

TEST(SkinArt, TheSkinIsOneRunPerRowCutByTheKeyAtItsCorner) {
    const std::vector<uint8_t> file = ReadFile("skin.bmp");
    DibImage skin;
    ASSERT_EQ(ParseDib(file.data() + 14, file.size() - 14, skin), kDibOk);
    uint32_t key = 0;
    ASSERT_TRUE(DibPixelValue(skin, 1, 1, key));
    EXPECT_EQ(key, 0x51293Cu);
    const std::vector<PixelRun> runs = OpaqueRuns(skin, key);
    ASSERT_EQ(runs.size(), 261u);
    for (int y = 0; y < 261; ++y) EXPECT_EQ(runs[y].y, y);
    EXPECT_EQ(runs[259].left, 271);
    EXPECT_GE(runs[259].right, 360);
    EXPECT_EQ(runs[260].left, 287);
    EXPECT_GE(runs[260].right, 360);
}

}  // namespace
