#pragma once
#include <cstdint>
#include <vector>

// Cells lit on one of the controller's 20-cell bars: 100 (percent or degrees) fills it.
int TavioBarCells(double value);
