#include "skin/DibImage.h"

#include <algorithm>

namespace {
uint32_t Read32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
void Write32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void Write16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
}  // namespace

uint64_t DibRowStride(uint16_t bitsPerPixel, int32_t width) {
    if (width <= 0) return 0;
    const uint64_t bytes = uint64_t(bitsPerPixel) * uint64_t(width) / 8;
    return (bytes + 3) / 4 * 4;
}

int32_t ParseDib(const uint8_t* data, size_t size, DibImage& image) {
    image = DibImage{};
    if (!data || size < DibHeader::kSize) return kDibNoImage;
    const uint32_t headerSize = Read32(data + DibHeader::kHeaderSize);
    const auto width = static_cast<int32_t>(Read32(data + DibHeader::kWidth));
    const auto height = static_cast<int32_t>(Read32(data + DibHeader::kHeight));
    const uint16_t bits = Read16(data + DibHeader::kBitCount);
    uint32_t count = Read32(data + DibHeader::kClrUsed);
    if (headerSize < DibHeader::kSize || headerSize > size || width <= 0 || height <= 0) return kDibNoImage;

    const uint64_t stride = DibRowStride(bits, width);
    if (stride == 0 || stride > size || uint64_t(height) > size / stride) return kDibNoImage;
    const uint64_t pixelBytes = stride * uint64_t(height);

    if (bits == 8 && count == 0) count = DibHeader::kMaxColours;
    if (bits == 8 && count > DibHeader::kMaxColours) return kDibNoColourTable;
    const uint64_t tableBytes = uint64_t(count) * DibHeader::kColourEntry;
    if (bits == 8 && headerSize + tableBytes > size) return kDibNoColourTable;
    const uint64_t pixelStart = headerSize + tableBytes;
    if (pixelStart > size || pixelBytes > size - pixelStart) return kDibNoImage;

    DibImage loaded;
    loaded.width = width;
    loaded.height = height;
    loaded.bitsPerPixel = bits;
    loaded.colourCount = count;
    if (bits == 8) {
        loaded.colours.resize(size_t(count) * 4);
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* entry = data + headerSize + size_t(i) * DibHeader::kColourEntry;
            uint8_t* out = &loaded.colours[size_t(i) * 4];
            out[0] = entry[2];
            out[1] = entry[1];
            out[2] = entry[0];
            out[3] = 0;
        }
    }
    loaded.inPlace = data + pixelStart;
    loaded.inPlaceSize = static_cast<size_t>(pixelBytes);
    image = std::move(loaded);
    return kDibOk;
}

bool DibPixelValue(const DibImage& image, int32_t x, int32_t y, uint32_t& value) {
    if (image.PixelSize() == 0 || x < 0 || y < 0 || x >= image.width || y >= image.height) return false;
    const unsigned bytes = image.bitsPerPixel / 8;
    if (image.bitsPerPixel != 8 && image.bitsPerPixel != 16 && image.bitsPerPixel != 24) return false;
    const uint64_t row = uint64_t(image.height - y - 1);
    const uint64_t at = row * DibRowStride(image.bitsPerPixel, image.width) + uint64_t(x) * image.bitsPerPixel / 8;
    if (at + bytes > image.PixelSize()) return false;
    const uint8_t* p = image.PixelData() + at;
    value = bytes == 1 ? p[0] : bytes == 2 ? Read16(p) : uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
    return true;
}

std::vector<uint8_t> DibInfoBlock(const DibImage& image) {
    std::vector<uint8_t> block(DibHeader::kInfoBlockSize, 0);
    uint8_t* h = block.data();
    const uint32_t colours = image.colourCount % DibHeader::kMaxColours;
    Write32(h + DibHeader::kHeaderSize, DibHeader::kSize);
    Write32(h + DibHeader::kWidth, static_cast<uint32_t>(image.width));
    Write32(h + DibHeader::kHeight, static_cast<uint32_t>(image.height));
    Write16(h + DibHeader::kPlanes, 1);
    Write16(h + DibHeader::kBitCount, image.bitsPerPixel);
    Write32(h + DibHeader::kSizeImage,
            static_cast<uint32_t>(DibRowStride(image.bitsPerPixel, image.width) * uint64_t(image.height)));
    Write32(h + DibHeader::kClrUsed, colours);
    Write32(h + DibHeader::kClrImportant, colours);
    if (image.bitsPerPixel == 8) {
        const size_t entries = std::min<size_t>(image.colours.size() / 4, DibHeader::kMaxColours);
        for (size_t i = 0; i < entries; ++i) {
            uint8_t* out = h + DibHeader::kSize + i * DibHeader::kColourEntry;
            out[0] = image.colours[i * 4 + 2];
            out[1] = image.colours[i * 4 + 1];
            out[2] = image.colours[i * 4];
        }
    }
    return block;
}
