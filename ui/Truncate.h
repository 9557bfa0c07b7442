#pragma once
#include <climits>
#include <cmath>

// Truncation toward zero, held within int: a wild clock from the card or a range grown over and
// over must not overflow.
inline int TruncToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(value);
}
