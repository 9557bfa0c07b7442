// Bitmap bytes read into images: depths, colour tables, pixel values, lying headers, the device
// bitmap's information block and the colour-key runs a window shape is made of.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/DibImage.h"
#include "skin/PixelRuns.h"
#include "skin/SkinScale.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// 40-byte headers written out by hand: size, width, height, planes, bits, compression, image
// size, two resolutions, colours used, colours important.
const Bytes kHeader8Bit2x2 = {40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0, 0, 0, 0, 0,
                              8,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const Bytes kHeader24Bit2x2 = {40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,
                               16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0};
// Two rows of 8 bytes each (6 of pixels, 2 of padding); the bottom row is stored first.
const Bytes kPixels24Bit2x2 = {0x01, 0x02, 0x03, 0x3C, 0x29, 0x51, 0xEE, 0xEE,
                               0x10, 0x20, 0x30, 0xFF, 0x00, 0x80, 0xEE, 0xEE};

TEST(SkinDib, AnEightBitImageWithoutAColourCountTakes256ColoursBeforeItsPixels) {
    Bytes table(1024, 0);
    table[5 * 4 + 0] = 0x11;  // entry 5: blue, green, red, reserved
    table[5 * 4 + 1] = 0x22;
    table[5 * 4 + 2] = 0x33;
    table[5 * 4 + 3] = 0x99;
    table[255 * 4 + 2] = 0x77;
    const Bytes pixels = {7, 9, 0, 0, 5, 255, 0, 0};  // bottom row (7, 9), top row (5, 255)
    const Bytes data = Concat({kHeader8Bit2x2, table, pixels});

    DibImage image;
    ASSERT_EQ(ParseDib(data.data(), data.size(), image), kDibOk);
    EXPECT_EQ(image.colourCount, 256u);
    ASSERT_EQ(image.colours.size(), 1024u);
    EXPECT_EQ(Bytes(image.colours.begin() + 20, image.colours.begin() + 24), (Bytes{0x33, 0x22, 0x11, 0}));
    EXPECT_EQ(Bytes(image.colours.begin() + 1020, image.colours.end()), (Bytes{0x77, 0, 0, 0}));
    uint32_t v = 0;
    EXPECT_TRUE(DibPixelValue(image, 0, 0, v));
    EXPECT_EQ(v, 5u);  // an index, not a colour
    EXPECT_TRUE(DibPixelValue(image, 1, 0, v));
    EXPECT_EQ(v, 255u);
    EXPECT_TRUE(DibPixelValue(image, 1, 1, v));
    EXPECT_EQ(v, 9u);

    // Written back for the device bitmap: 256 colours count as 0, the table in file order again.
    const Bytes block = DibInfoBlock(image);
    ASSERT_EQ(block.size(), 1064u);
    EXPECT_EQ(Bytes(block.begin(), block.begin() + 40),
              (Bytes{40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0, 0, 0, 0, 0,
                     8,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(block.begin() + 60, block.begin() + 64), (Bytes{0x11, 0x22, 0x33, 0}));
}

TEST(SkinDib, TwentyFourBitValuesAreTheStoredBytesWithTheTopRowLastInTheResource) {
    const Bytes data = Concat({kHeader24Bit2x2, kPixels24Bit2x2});
    DibImage image;
    ASSERT_EQ(ParseDib(data.data(), data.size(), image), kDibOk);
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    EXPECT_TRUE(image.colours.empty());

    struct Read {
        int x, y;
        bool ok;
        uint32_t value;
    };
    const Read reads[] = {
        {1, 1, true, 0x51293C}, {0, 1, true, 0x030201}, {0, 0, true, 0x302010}, {1, 0, true, 0x8000FF},
        {2, 0, false, 0},       {0, 2, false, 0},       {-1, 0, false, 0},      {0, -1, false, 0},
    };
    for (const Read& r : reads) {
        uint32_t v = 0xDEADBEEF;
        EXPECT_EQ(DibPixelValue(image, r.x, r.y, v), r.ok) << r.x << "," << r.y;
        EXPECT_EQ(v, r.ok ? r.value : 0xDEADBEEF) << r.x << "," << r.y;
    }
}

TEST(SkinDib, HeadersThatDoNotFitTheirBytesLoadNothing) {
    const Bytes good24 = Concat({kHeader24Bit2x2, kPixels24Bit2x2});
    auto with = [](Bytes data, size_t offset, uint32_t value) {
        for (int i = 0; i < 4; ++i) data[offset + i] = static_cast<uint8_t>(value >> (8 * i));
        return data;
    };
    auto with16 = [](Bytes data, size_t offset, uint16_t value) {
        data[offset] = static_cast<uint8_t>(value);
        data[offset + 1] = static_cast<uint8_t>(value >> 8);
        return data;
    };
    const Bytes eightBit = Concat({kHeader8Bit2x2, Bytes(1024, 0), Bytes(8, 0)});
    struct Case {
        const char* what;
        Bytes data;
        int32_t status;
    };
    const Case cases[] = {
        {"shorter than a header", Bytes(good24.begin(), good24.begin() + 39), kDibNoImage},
        {"pixels cut short", Bytes(good24.begin(), good24.end() - 1), kDibNoImage},
        {"zero width", with(good24, 4, 0), kDibNoImage},
        {"negative width", with(good24, 4, 0xFFFFFFFE), kDibNoImage},
        {"zero height", with(good24, 8, 0), kDibNoImage},
        {"top-down height", with(good24, 8, 0xFFFFFFFE), kDibNoImage},
        {"header size below 40", with(good24, 0, 12), kDibNoImage},
        {"header size past the end", with(good24, 0, 4000), kDibNoImage},
        {"header size pushing the pixels out", with(good24, 0, 44), kDibNoImage},
        {"stride times height overflowing", with(with(good24, 4, 0x7FFFFFFF), 8, 0x7FFFFFFF), kDibNoImage},
        {"huge depth", with16(good24, 14, 0xFFFF), kDibNoImage},
        {"zero depth", with16(good24, 14, 0), kDibNoImage},
        {"a colour count the 24-bit pixels cannot follow", with(good24, 32, 0x40000000), kDibNoImage},
        {"257 colours of 8 bits", with(eightBit, 32, 257), kDibNoColourTable},
        {"an 8-bit table past the end", Bytes(eightBit.begin(), eightBit.begin() + 600), kDibNoColourTable},
        {"8-bit pixels past the end", Bytes(eightBit.begin(), eightBit.end() - 1), kDibNoImage},
    };
    for (const Case& c : cases) {
        DibImage image;
        image.width = 5;  // a previous image is dropped either way
        EXPECT_EQ(ParseDib(c.data.data(), c.data.size(), image), c.status) << c.what;
        EXPECT_EQ(image.width, 0) << c.what;
        EXPECT_EQ(image.PixelSize(), 0u) << c.what;
        EXPECT_TRUE(image.colours.empty()) << c.what;
    }
    DibImage image;
    EXPECT_EQ(ParseDib(nullptr, 100, image), kDibNoImage);
}

TEST(SkinDib, RandomHeadersNeverReadOutsideTheirBytes) {
    // A valid 8-bit image with a 4-entry table, its header fields then overwritten at random;
    // the sanitizers see any read past the copy.
    const Bytes header = {40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0, 0, 0, 0, 0,
                          0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0};
    const Bytes valid = Concat({header, Bytes(16, 0x42), Bytes(8, 1)});
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    const size_t fields[] = {0, 4, 8, 14, 32};
    for (int round = 0; round < 20000; ++round) {
        Bytes data = valid;
        const size_t at = fields[next() % 5];
        const uint32_t value = next() % 4 == 0 ? next() : next() % 70;
        for (size_t i = 0; i < (at == 14 ? 2u : 4u); ++i) data[at + i] = static_cast<uint8_t>(value >> (8 * i));
        data.resize(next() % 3 == 0 ? next() % data.size() : data.size());
        std::vector<uint8_t> exact(data.begin(), data.end());
        DibImage image;
        if (ParseDib(exact.data(), exact.size(), image) != kDibOk) {
            EXPECT_EQ(image.PixelSize(), 0u);
            continue;
        }
        ASSERT_EQ(image.PixelSize(), DibRowStride(image.bitsPerPixel, image.width) * uint64_t(image.height));
        uint32_t v = 0;
        for (int32_t y = 0; y < image.height && y < 64; ++y)
            for (int32_t x = 0; x < image.width && x < 64; ++x) DibPixelValue(image, x, y, v);
        OpaqueRuns(image, 0);
        DibInfoBlock(image);
    }
}

TEST(SkinDib, AnImageOfAnUnreadableDepthLoadsButHasNoPixelsToRead) {
    Bytes data = Concat({kHeader24Bit2x2, Bytes(16, 0xAB)});
    data[14] = 32;  // 32 bits: stride 8, the same 16 bytes
    DibImage image;
    ASSERT_EQ(ParseDib(data.data(), data.size(), image), kDibOk);
    uint32_t v = 7;
    EXPECT_FALSE(DibPixelValue(image, 0, 0, v));
    EXPECT_EQ(v, 7u);
    EXPECT_TRUE(OpaqueRuns(image, 0).empty());
}

TEST(SkinDib, AColourTableLongerThan256EntriesIsNeverWrittenPastTheBlock) {
    DibImage image;
    image.width = image.height = 1;
    image.colourCount = 300;
    image.colours.assign(300 * 4, 0x5A);
    image.pixels.assign(4, 0);
    const Bytes block = DibInfoBlock(image);
    ASSERT_EQ(block.size(), 1064u);
    EXPECT_EQ(block[32], 44);  // 300 modulo 256
    EXPECT_EQ(Bytes(block.end() - 4, block.end()), (Bytes{0x5A, 0x5A, 0x5A, 0}));
}

// Rows written top to bottom as text, one character per pixel: K is the key colour.
DibImage ImageOfRows(const std::vector<std::string>& rows) {
    DibImage image;
    image.width = static_cast<int32_t>(rows[0].size());
    image.height = static_cast<int32_t>(rows.size());
    image.bitsPerPixel = 8;
    image.colourCount = 256;
    image.colours.assign(1024, 0);
    const size_t stride = (rows[0].size() + 3) / 4 * 4;
    image.pixels.assign(stride * rows.size(), 0);
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            image.pixels[(rows.size() - 1 - y) * stride + x] = rows[y][x] == 'K' ? 9 : 1;
    return image;
}

TEST(SkinDib, EachRunOfNonKeyPixelsIsOneRectangle) {
    const DibImage image = ImageOfRows({
        "KKKKKK",  // all key: nothing
        "oooooo",  // no key: one run across the width
        "KooKoo",  // key, opaque, key, opaque: two runs, the last ending at the width
        "oKKKKo",
    });
    const std::vector<PixelRun> runs = OpaqueRuns(image, 9);
    ASSERT_EQ(runs.size(), 5u);
    const int expected[5][3] = {{1, 0, 6}, {2, 1, 3}, {2, 4, 6}, {3, 0, 1}, {3, 5, 6}};
    for (size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i].y, expected[i][0]) << i;
        EXPECT_EQ(runs[i].left, expected[i][1]) << i;
        EXPECT_EQ(runs[i].right, expected[i][2]) << i;
    }
    EXPECT_TRUE(OpaqueRuns(ImageOfRows({"KKK", "KKK"}), 9).empty());
    EXPECT_TRUE(OpaqueRuns(DibImage{}, 9).empty());
}

TEST(SkinDib, AParsedImageEnlargesIntoPixelsOfItsOwn) {
    const Bytes data = Concat({kHeader24Bit2x2, kPixels24Bit2x2});
    DibImage image;
    ASSERT_EQ(ParseDib(data.data(), data.size(), image), kDibOk);
    const DibImage big = EnlargeDib(image, 2);
    EXPECT_EQ(big.PixelData(), big.pixels.data());
    uint32_t v = 0;
    EXPECT_TRUE(DibPixelValue(big, 3, 3, v));
    EXPECT_EQ(v, 0x51293Cu);
}

}  // namespace
