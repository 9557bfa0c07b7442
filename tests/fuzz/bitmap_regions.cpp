// Fuzz target: a bitmap resource's bytes parsed as the skin parses them, then the colour-key runs
// a window region is built from, and the header a device bitmap is made from.
#include <algorithm>

#include "skin/DibImage.h"
#include "skin/PixelRuns.h"
#include "tests/fuzz/fuzz_require.h"

namespace {

// Runs are ordered, inside the image, never empty, never touching on a row, and hold exactly the
// pixels that differ from the key.
void CheckRuns(const DibImage& image, uint32_t key) {
    const std::vector<PixelRun> runs = OpaqueRuns(image, key);
    int32_t row = -1, end = 0;
    size_t next = 0;
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            while (next < runs.size() && (runs[next].y < y || (runs[next].y == y && runs[next].right <= x))) ++next;
            const bool inRun = next < runs.size() && runs[next].y == y && runs[next].left <= x;
            uint32_t value = 0;
            const bool opaque = DibPixelValue(image, x, y, value) && value != key;
            FUZZ_REQUIRE(inRun == opaque);
        }
    }
    for (const PixelRun& run : runs) {
        FUZZ_REQUIRE(run.y >= 0 && run.y < image.height);
        FUZZ_REQUIRE(run.left >= 0 && run.left < run.right && run.right <= image.width);
        FUZZ_REQUIRE(run.y > row || (run.y == row && run.left > end));
        row = run.y;
        end = run.right;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DibImage image;
    const int32_t status = ParseDib(data, size, image);
    FUZZ_REQUIRE(status == kDibOk || status == kDibNoImage || status == kDibNoColourTable);
    if (status != kDibOk) {
        FUZZ_REQUIRE(image.PixelSize() == 0 && image.width == 0 && image.height == 0);
        return 0;
    }
    FUZZ_REQUIRE(image.width > 0 && image.height > 0);
    FUZZ_REQUIRE(image.PixelSize() == DibRowStride(image.bitsPerPixel, image.width) * uint64_t(image.height));
    FUZZ_REQUIRE(image.PixelData() >= data && image.PixelData() + image.PixelSize() <= data + size);
    FUZZ_REQUIRE(DibInfoBlock(image).size() == DibHeader::kInfoBlockSize);

    uint32_t first = 0;
    DibPixelValue(image, 0, 0, first);
    for (uint32_t key : {first, 0xFEFEFEu, 0u}) CheckRuns(image, key);
    return 0;
}
