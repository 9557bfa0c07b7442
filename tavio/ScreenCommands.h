#pragma once
#include <cstddef>
#include <cstdint>

// The screen commands, as they follow the report id and the count byte of an output report.
namespace ScreenCommands {

inline constexpr uint8_t kEsc = 0x1B;
inline constexpr uint8_t kWriteSegment[] = {kEsc, 0x30};  // then address, value
inline constexpr uint8_t kSetup[] = {kEsc, 0x40, 0x02, 0x00, 0x00};
inline constexpr uint8_t kClear[] = {0x1F};
inline constexpr uint8_t kResetMode[] = {kEsc, 0x80, 'W', 'u'};
inline constexpr uint8_t kExitMode[] = {kEsc, 0x80, 'S', 'b', 'm'};
inline constexpr uint8_t kTextStart[] = {kEsc, 0x60, 0x00};
inline constexpr uint8_t kTextSlice[] = {kEsc, 0x70, 0x2A};  // then 42 data bytes, 6 zeros

inline constexpr size_t kSliceDataBytes = 42;
inline constexpr size_t kSliceCommandBytes = sizeof(kTextSlice) + kSliceDataBytes + 6;
inline constexpr size_t kSlices = 6;
// Report id, count, command.
inline constexpr size_t kFrameHeader = 2;
inline constexpr size_t kLongestReport = kFrameHeader + kSliceCommandBytes;
static_assert(kSliceCommandBytes == 0x33, "a text slice carries 51 command bytes");
static_assert(kLongestReport == 53, "the controller must take 53-byte reports");

}  // namespace ScreenCommands
