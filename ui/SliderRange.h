#pragma once
#include <climits>

#include "gpu/FanPosition.h"

struct SliderRange {
    int min;
    int max;
    bool operator==(const SliderRange& other) const { return min == other.min && max == other.max; }
};

inline constexpr SliderRange kFanSliderRange{0, kFanAutomaticPosition};

// A clock slider's range around the card's default clock, as the slider shows it: half the
// default to 1.33 times it.
SliderRange ClockSliderRange(double defaultMhz);

// The highest a clock slider's range grows to: twice the card's default clock, in the slider's
// units. A card cannot run beyond it, and no number of key presses may take a slider there.
int ClockRangeCeiling(double defaultMhz);

// The range a clock slider takes after its thumb moved to pos. Pushing past 95 % of the maximum
// raises the maximum to 1.35 × pos, but not past the ceiling; resting on a minimum above 0
// lowers it to 0.75 × pos. So the user can go as far as the card allows, a step at a time. A
// maximum already beyond the ceiling stays.
SliderRange GrownClockRange(SliderRange range, int pos, int ceiling);

// The range a clock slider needs to show value: above the maximum it grows to 1.35 × value (not
// past the ceiling, but always to value), below a minimum above 0 it drops to 0.75 × value, as if
// the user had pushed it there.
SliderRange RangeHolding(SliderRange range, int value, int ceiling = INT_MAX);
