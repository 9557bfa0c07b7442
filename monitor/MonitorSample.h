#pragma once
#include <cstdint>

enum class FanMode : uint8_t { Fixed, Automatic, Curve };

// One reading of the card as the monitor shows it and the log writes it: clocks in MHz with the
// memory clock as the sliders show it, the fan in percent (-1 when it could not be read).
struct MonitorSample {
    uint32_t second = 0;  // on the program's own clock, only ever growing
    int16_t temperature = 0;
    uint16_t core = 0, memory = 0, shader = 0;
    int8_t fan = -1;
    FanMode fanMode = FanMode::Fixed;
};

// Readings as the card layer gives them, held to what a sample can store.
MonitorSample MakeSample(uint32_t second, int temperature, double core, double memoryShown, double shader,
                         int fanPercent, bool fanKnown, FanMode mode);
