#include "monitor/CsvRow.h"

#include <cstdio>

const char* FanModeName(FanMode mode) {
    switch (mode) {
    case FanMode::Automatic: return "auto";
    case FanMode::Curve: return "curve";
    case FanMode::Fixed: return "fixed";
    case FanMode::Unknown: break;
    }
    return "unknown";
}

std::string CsvHeader() { return "time,temperature_c,core_mhz,memory_mhz,shader_mhz,fan_percent,fan_mode\r\n"; }

namespace {
// The window shows "-" for the same values.
std::string Field(int value, bool read) { return read ? std::to_string(value) : std::string(); }
}  // namespace

std::string CsvRow(const LocalTime& t, const MonitorSample& s) {
    char time[32];
    std::snprintf(time, sizeof(time), "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return std::string(time) + ',' + Field(s.temperature, s.temperature > 0) + ',' + Field(s.core, s.core > 0) + ',' +
           Field(s.memory, s.memory > 0) + ',' + Field(s.shader, s.shader > 0) + ',' + Field(s.fan, s.fan >= 0) + ',' +
           FanModeName(s.fanMode) + "\r\n";
}
