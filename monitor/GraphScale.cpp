#include "monitor/GraphScale.h"

#include <algorithm>
#include <iterator>

namespace {
constexpr int kClockStep = 50;
constexpr int kMinimumMargin = 25;

int FloorToStep(int value) { return value / kClockStep * kClockStep; }
int CeilToStep(int value) { return (value + kClockStep - 1) / kClockStep * kClockStep; }
}  // namespace

ValueScale ClockScale(int lowest, int highest) {
    if (highest <= 0 || lowest > highest) return {0, 2 * kClockStep};
    lowest = std::max(lowest, 0);
    const int margin = std::max((highest - lowest) / 10, kMinimumMargin);
    return {FloorToStep(std::max(lowest - margin, 0)), CeilToStep(highest + margin)};
}

int RowOf(int value, ValueScale scale, int height) {
    if (height <= 1 || scale.high <= scale.low) return std::max(height - 1, 0);
    const int64_t above = static_cast<int64_t>(std::clamp(value, scale.low, scale.high)) - scale.low;
    const int64_t rows = above * (height - 1) / (scale.high - scale.low);
    return height - 1 - static_cast<int>(rows);
}

int64_t ColumnOf(uint32_t second, int width, int spanSeconds) {
    if (width <= 0 || spanSeconds <= 0) return 0;
    return static_cast<int64_t>(second) * width / spanSeconds;
}

int SpanIndex(uint32_t storedMinutes) {
    const auto* found = std::find(std::begin(kSpanMinutes), std::end(kSpanMinutes), static_cast<int>(storedMinutes));
    if (found == std::end(kSpanMinutes))
        found = std::find(std::begin(kSpanMinutes), std::end(kSpanMinutes), kDefaultSpanMinutes);
    return static_cast<int>(found - std::begin(kSpanMinutes));
}
