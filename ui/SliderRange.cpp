#include "ui/SliderRange.h"

#include <algorithm>

#include "ui/Truncate.h"

SliderRange ClockSliderRange(double defaultMhz) {
    return {TruncToInt(0.5 * defaultMhz), TruncToInt(1.33 * defaultMhz)};
}

int ClockRangeCeiling(double defaultMhz) { return TruncToInt(2.0 * defaultMhz); }

SliderRange GrownClockRange(SliderRange range, int pos, int ceiling) {
    if (pos > 0.95 * range.max) range.max = std::max(range.max, std::min(TruncToInt(pos * 1.35), ceiling));
    if (range.min == pos && range.min > 0) range.min = TruncToInt(pos * 0.75);
    return range;
}

SliderRange RangeHolding(SliderRange range, int value, int ceiling) {
    if (value > range.max) range.max = std::max(value, std::min(TruncToInt(value * 1.35), ceiling));
    if (value < range.min && range.min > 0) range.min = TruncToInt(value * 0.75);
    return range;
}
