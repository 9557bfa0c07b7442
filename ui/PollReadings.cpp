#include "ui/PollReadings.h"

#include <algorithm>

#include "ui/Truncate.h"

int32_t HighestTemperature(const std::vector<int32_t>& readings) {
    int32_t highest = 0;
    for (int32_t reading : readings) highest = std::max(highest, reading);
    return highest;
}

int TavioBarCells(double value) { return TruncToInt(value / 100 * 20); }
