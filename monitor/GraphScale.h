#pragma once
#include <cstdint>

// The value range a graph spans, bottom to top.
struct ValueScale {
    int low, high;
    bool operator==(const ValueScale& other) const { return low == other.low && high == other.high; }
    bool operator!=(const ValueScale& other) const { return !(*this == other); }
};

inline constexpr ValueScale kTemperatureScale{0, 120};
inline constexpr ValueScale kFanScale{0, 100};

// The shown clocks' range with a margin, on whole steps so that a clock moving a little does not
// rescale (and so redraw) the whole graph. No clock at all gives a range of its own.
ValueScale ClockScale(int lowest, int highest);

// The row of a value in a plot `height` rows high, 0 at the top, held inside the plot.
int RowOf(int value, ValueScale scale, int height);

// The column of a second on a plot `width` columns wide that shows `spanSeconds`. Counted from
// the clock's start, so a second always falls in the same column and the plot scrolls by whole
// columns.
int64_t ColumnOf(uint32_t second, int width, int spanSeconds);

// The spans the window offers, in minutes; a stored value that is none of them gives the default.
inline constexpr int kSpanMinutes[] = {1, 5, 15, 60};
inline constexpr int kDefaultSpanMinutes = 5;
int SpanIndex(uint32_t storedMinutes);
