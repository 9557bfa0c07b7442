#include "monitor/CsvRow.h"

#include <cstdio>

const char* FanModeName(FanMode mode) {
    switch (mode) {
    case FanMode::Automatic: return "auto";
    case FanMode::Curve: return "curve";
    case FanMode::Fixed: break;
    }
    return "fixed";
}

std::string CsvHeader() { return "time,temperature_c,core_mhz,memory_mhz,shader_mhz,fan_percent,fan_mode\r\n"; }

std::string CsvRow(const LocalTime& t, const MonitorSample& s) {
    char fan[8] = "";
    if (s.fan >= 0) std::snprintf(fan, sizeof(fan), "%d", s.fan);
    char row[128];
    std::snprintf(row, sizeof(row), "%04d-%02d-%02dT%02d:%02d:%02d,%d,%u,%u,%u,%s,%s\r\n", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, s.temperature, s.core, s.memory, s.shader, fan, FanModeName(s.fanMode));
    return row;
}
