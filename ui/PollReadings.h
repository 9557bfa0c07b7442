#pragma once
#include <cstdint>
#include <vector>

// The hottest GPU of the group; 0 when none reads above 0, so a failed or negative reading
// never wins.
int32_t HighestTemperature(const std::vector<int32_t>& readings);

// Cells lit on one of the controller's 20-cell bars: 100 (percent or degrees) fills it.
int TavioBarCells(double value);
