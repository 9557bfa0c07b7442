#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Status codes of the skin's bitmap operations.
enum DibStatus : int32_t {
    kDibOk = 0,
    kDibNotFound = -12,
    kDibNoImage = -14,
    kDibNoColourTable = -15,
    kDibNoDeviceContext = -30,
    kDibDeviceRefused = -31,
};

// The 40-byte header a bitmap resource starts with (no file header), as offsets.
namespace DibHeader {
constexpr size_t kSize = 40;
constexpr size_t kHeaderSize = 0;   // 32-bit
constexpr size_t kWidth = 4;        // signed 32-bit
constexpr size_t kHeight = 8;       // signed 32-bit, positive: bottom row first
constexpr size_t kPlanes = 12;      // 16-bit
constexpr size_t kBitCount = 14;    // 16-bit
constexpr size_t kCompression = 16; // 32-bit, 0 is uncompressed
constexpr size_t kSizeImage = 20;   // 32-bit
constexpr size_t kClrUsed = 32;     // 32-bit
constexpr size_t kClrImportant = 36;
constexpr size_t kColourEntry = 4;  // blue, green, red, reserved
constexpr uint32_t kMaxColours = 256;
// Header plus room for every colour of an 8-bit image.
constexpr size_t kInfoBlockSize = kSize + kMaxColours * kColourEntry;
static_assert(kInfoBlockSize == 1064, "the device bitmap's information block");
}  // namespace DibHeader

// One device-independent image: the pixel array as stored (bottom row first) and, for 8 bits per
// pixel, its colour table as red, green, blue, 0. A parsed image's pixels stay where they were read
// (`inPlace`); a made one (an enlargement) holds them in `pixels`.
struct DibImage {
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitsPerPixel = 8;
    uint32_t colourCount = 0;
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> colours;
    const uint8_t* inPlace = nullptr;
    size_t inPlaceSize = 0;

    const uint8_t* PixelData() const { return inPlace ? inPlace : pixels.data(); }
    size_t PixelSize() const { return inPlace ? inPlaceSize : pixels.size(); }
};

// Bytes per stored row: whole bytes of the row's bits, padded to a multiple of 4.
uint64_t DibRowStride(uint16_t bitsPerPixel, int32_t width);

// Reads a bitmap resource's bytes. Nothing is read outside [data, data + size): a header whose
// sizes, colour table or pixel array do not fit gives kDibNoImage (kDibNoColourTable for an 8-bit
// table) and leaves `image` empty. The pixels are not copied: `data` must outlive the image (a
// bitmap resource lives as long as its module).
int32_t ParseDib(const uint8_t* data, size_t size, DibImage& image);

// The raw value at column x, row y from the top: an 8-bit colour index, the 16-bit word, or the
// 24-bit bytes in stored order (blue in bits 0-7). False outside the image or for another depth.
bool DibPixelValue(const DibImage& image, int32_t x, int32_t y, uint32_t& value);

// The header and colour table a device bitmap is made from: kInfoBlockSize bytes, at most 256
// colour entries written back in blue, green, red, 0 order.
std::vector<uint8_t> DibInfoBlock(const DibImage& image);
