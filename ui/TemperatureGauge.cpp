#include "ui/TemperatureGauge.h"

#include <algorithm>

#include "ui/Truncate.h"

GaugeCopy GaugeCopyFor(int32_t celsius, int gaugeHeight) {
    gaugeHeight = std::max(gaugeHeight, 0);
    const int rows = std::clamp(TruncToInt(celsius * 0.9916666666666667), 0, gaugeHeight);
    return {rows, gaugeHeight - rows, kGaugeSlotX, gaugeHeight + kGaugeSlotTop - rows};
}
