#pragma once
#include <cstddef>
#include <cstdint>

// The controller's segment memory as the program writes it: where each indicator, digit segment
// and bar cell lives.
namespace ScreenLayout {

inline constexpr size_t kMirrorBytes = 70;
inline constexpr uint8_t kCellOn = 2;

struct Wire {
    uint8_t address;
    uint8_t bit;
};

// An indicator is one bit of a shared address, or a whole cell (bit kWholeCell).
inline constexpr uint8_t kWholeCell = 0xFF;
inline constexpr int kIndicators = 13;
extern const Wire kIndicatorTable[kIndicators];

// Segment bits of a digit: 0 top, 1 upper left, 2 upper right, 3 middle, 4 lower left,
// 5 lower right, 6 bottom.
extern const uint8_t kDigitPatterns[10];

enum Field { Core, Memory, Shader, kFields };
// [field][0 ones .. 3 thousands][segment bit]
extern const Wire kWiring[kFields][4][7];
// The addresses a field spans, written in ascending order after it changes.
struct Span {
    uint8_t first;
    uint8_t last;
};
extern const Span kFieldSpans[kFields];

enum Bar { Temperature, Fan };
inline constexpr int kBarCells = 20;
// Cell base + i, i = 1..20.
inline constexpr uint8_t kBarBase[2] = {17, 49};

}  // namespace ScreenLayout
