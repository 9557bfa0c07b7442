#include "monitor/MonitorSample.h"

#include <algorithm>
#include <cmath>

namespace {
uint16_t ClockField(double mhz) {
    // NaN and negative answers both mean the card said nothing usable.
    if (!(mhz > 0)) return 0;
    return static_cast<uint16_t>(std::min(std::floor(mhz), 65535.0));
}
}  // namespace

MonitorSample MakeSample(uint32_t second, int temperature, double core, double memoryShown, double shader,
                         int fanPercent, bool fanKnown, FanMode mode) {
    MonitorSample sample;
    sample.second = second;
    sample.temperature = static_cast<int16_t>(std::clamp(temperature, -999, 999));
    sample.core = ClockField(core);
    sample.memory = ClockField(memoryShown);
    sample.shader = ClockField(shader);
    sample.fan = fanKnown ? static_cast<int8_t>(std::clamp(fanPercent, 0, 100)) : int8_t{-1};
    sample.fanMode = fanKnown || mode == FanMode::Curve ? mode : FanMode::Unknown;
    return sample;
}
