#include "ui/PollReadings.h"

#include "ui/Truncate.h"

int TavioBarCells(double value) { return TruncToInt(value / 100 * 20); }
