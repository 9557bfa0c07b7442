#pragma once
#include <cstdint>
#include <string>

#include "monitor/MonitorSample.h"

struct LocalTime {
    int year, month, day, hour, minute, second;
};

// A log stops before it grows past this.
inline constexpr uint64_t kLogLimitBytes = 100ull * 1024 * 1024;

const char* FanModeName(FanMode mode);
// Both end in CRLF, as spreadsheets expect. A value that could not be read leaves its field empty.
std::string CsvHeader();
std::string CsvRow(const LocalTime& time, const MonitorSample& sample);
