#pragma once
#include <cstdint>

enum class FanMode : uint8_t { Fixed, Automatic, Curve, Unknown };

// One reading of the card as the monitor shows it and the log writes it: clocks in MHz with the
// memory clock as the sliders show it, the fan in percent. What could not be read is 0 for the
// temperature and the clocks (the card layer gives a failed temperature as 0), -1 for the fan.
struct MonitorSample {
    uint32_t second = 0;  // on the program's own clock, only ever growing
    int16_t temperature = 0;
    uint16_t core = 0, memory = 0, shader = 0;
    int8_t fan = -1;
    FanMode fanMode = FanMode::Unknown;
};

// Readings as the card layer gives them, held to what a sample can store. A fan not read has no
// mode of its own: only the curve's, which the program knows without reading.
MonitorSample MakeSample(uint32_t second, int temperature, double core, double memoryShown, double shader,
                         int fanPercent, bool fanKnown, FanMode mode);
