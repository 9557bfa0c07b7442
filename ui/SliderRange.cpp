#include "ui/SliderRange.h"

#include "ui/Truncate.h"

SliderRange ClockSliderRange(double defaultMhz) {
    return {TruncToInt(0.5 * defaultMhz), TruncToInt(1.33 * defaultMhz)};
}

SliderRange GrownClockRange(SliderRange range, int pos) {
    if (pos > 0.95 * range.max) range.max = TruncToInt(pos * 1.35);
    if (range.min == pos && range.min > 0) range.min = TruncToInt(pos * 0.75);
    return range;
}

SliderRange RangeHolding(SliderRange range, int value) {
    if (value > range.max) range.max = TruncToInt(value * 1.35);
    if (value < range.min && range.min > 0) range.min = TruncToInt(value * 0.75);
    return range;
}
