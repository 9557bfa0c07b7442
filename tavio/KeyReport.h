#pragma once
#include <cstddef>
#include <cstdint>

// The controller's input reports as key events for the menu: 0 release, 1 left, 2 middle, 3 right.
namespace KeyReport {

enum Event : uint8_t { Release = 0, Left = 1, Middle = 2, Right = 3 };

// The reader's buffer; no input report is longer.
constexpr size_t kReadBufferSize = 256;
// The scan for the report's start looks no further than this index.
constexpr size_t kScanLimit = 254;
// The report's start marker and the key byte's bits.
constexpr uint8_t kKeyMarker = 0x01;
constexpr uint8_t kPressedMask = 0x38;
constexpr uint8_t kReleased = 0x38;

struct Events {
    Event codes[3];
    size_t count = 0;
};

// Decodes the bytes one read transferred; nothing past transferred is read. Keys held together
// come out in the order left, middle, right.
Events Decode(const uint8_t* report, size_t transferred);

}  // namespace KeyReport
