#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/OwnedHandle.h"
#include "monitor/CsvRow.h"

// The CSV log file: appended to with read sharing (a spreadsheet may have it open), one row
// written and flushed at a time. Any failure closes it and gives the reason once; nothing is
// retried.
class CMonitorLog {
public:
    // A new or empty file gets the header first, a row cut short its line end.
    bool Start(const std::wstring& path, std::wstring& reason);
    bool Write(const LocalTime& time, const MonitorSample& sample, std::wstring& reason);
    void Stop();
    bool Running() const { return m_file.Valid(); }
    const std::wstring& Path() const { return m_path; }

private:
    bool Append(const std::string& text, std::wstring& reason);
    bool ReadMissingLineEnd(std::string& lineEnd, std::wstring& reason);
    bool Fail(std::wstring& reason, const std::wstring& why);

    CKernelHandle m_file;
    uint64_t m_size = 0;
    std::wstring m_path;
};

// The system's words for an error code, without the line break it ends with.
std::wstring SystemErrorText(DWORD error);
