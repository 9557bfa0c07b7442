#include "ui/MonitorLog.h"

#include <windows.h>

bool CMonitorLog::Start(const std::wstring& path, std::wstring& reason) {
    Stop();
    m_path = path;
    m_file.Reset(CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_file.Valid()) return Fail(reason, SystemErrorText(GetLastError()));
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(m_file.Get(), &size)) return Fail(reason, SystemErrorText(GetLastError()));
    m_size = static_cast<uint64_t>(size.QuadPart);
    if (m_size == 0) return Append(CsvHeader(), reason);
    std::string lineEnd;
    return ReadMissingLineEnd(lineEnd, reason) && (lineEnd.empty() || Append(lineEnd, reason));
}

// A row a failed write cut short gets its line end, so the next row starts a line of its own.
bool CMonitorLog::ReadMissingLineEnd(std::string& lineEnd, std::wstring& reason) {
    LARGE_INTEGER last{};
    last.QuadPart = static_cast<LONGLONG>(m_size) - 1;
    char end = 0;
    DWORD read = 0;
    if (!SetFilePointerEx(m_file.Get(), last, nullptr, FILE_BEGIN) || !ReadFile(m_file.Get(), &end, 1, &read, nullptr))
        return Fail(reason, SystemErrorText(GetLastError()));
    if (read != 1) return Fail(reason, SystemErrorText(ERROR_HANDLE_EOF));
    lineEnd = end == '\n' ? "" : end == '\r' ? "\n" : "\r\n";
    return true;
}

bool CMonitorLog::Write(const LocalTime& time, const MonitorSample& sample, std::wstring& reason) {
    return Running() && Append(CsvRow(time, sample), reason);
}

void CMonitorLog::Stop() { m_file.Reset(); }

bool CMonitorLog::Append(const std::string& text, std::wstring& reason) {
    if (m_size + text.size() > kLogLimitBytes) return Fail(reason, L"The file has reached 100 MB.");
    DWORD written = 0;
    if (!WriteFile(m_file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
        return Fail(reason, SystemErrorText(GetLastError()));
    m_size += written;
    if (written != text.size()) return Fail(reason, SystemErrorText(ERROR_DISK_FULL));
    if (!FlushFileBuffers(m_file.Get())) return Fail(reason, SystemErrorText(GetLastError()));
    return true;
}

bool CMonitorLog::Fail(std::wstring& reason, const std::wstring& why) {
    reason = why;
    Stop();
    return false;
}

std::wstring SystemErrorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result = length ? std::wstring(text, length) : L"Error " + std::to_wstring(error) + L".";
    if (text) LocalFree(text);
    while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r')) result.pop_back();
    return result;
}
