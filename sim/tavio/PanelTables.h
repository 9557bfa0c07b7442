#pragma once
#include <cstddef>
#include <cstdint>

// What the controller's segment memory means, read in the device's direction: for each address
// and bit, which element of the glass it lights. Typed here on its own, apart from the program's
// encoder, so that a slip in one of them shows up as a mismatch.
namespace panel {

inline constexpr size_t kSegmentBytes = 70;
inline constexpr int kFields = 3;  // core, memory, shader
inline constexpr int kDigits = 4;  // ones first
inline constexpr int kLamps = 13;
inline constexpr int kBarCells = 20;
inline constexpr uint8_t kCellOn = 2;
inline constexpr uint8_t kTemperatureBarFirst = 18;
inline constexpr uint8_t kFanBarFirst = 50;

// Seven segments: top, upper left, upper right, middle, lower left, lower right, bottom.
enum Segment { Top, UpperLeft, UpperRight, Middle, LowerLeft, LowerRight, Bottom, kSegments };

struct Role {
    enum Kind : uint8_t { Unused, DigitSegment, Lamp, LampCell, TemperatureCell, FanCell } kind = Unused;
    uint8_t field = 0;    // DigitSegment
    uint8_t digit = 0;    // DigitSegment, 0 = ones
    uint8_t segment = 0;  // DigitSegment
    uint8_t index = 0;    // Lamp, LampCell: lamp id; bar cells: 0 = lowest cell
};

// The role of one bit of a bit-kind address, or of the whole byte of a cell address (bit ignored).
Role RoleOf(size_t address, int bit);
bool IsCellAddress(size_t address);
// Bits of a bit-kind address that light something.
uint8_t UsedBits(size_t address);

// Digit from the seven lit segments (bit n = Segment n); -1 when no digit looks like that.
int DigitOfSegments(uint8_t segments);

}  // namespace panel
