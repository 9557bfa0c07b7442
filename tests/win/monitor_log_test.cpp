// The monitor's CSV log file: its rows, its sharing, and how it stops.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>

#include "framework/OwnedHandle.h"
#include "support/SimDriverFiles.h"
#include "support/WinTestSupport.h"
#include "ui/MonitorLog.h"

namespace {

const LocalTime kTime{2026, 3, 7, 9, 5, 2};

TEST(MonitorLog, AppendsRowsAfterOneHeaderWhileOthersRead) {
    const std::wstring path = WinTest::TempPath(L"monitor-rows.csv");
    DeleteFileW(path.c_str());
    std::wstring reason;
    CMonitorLog log;
    ASSERT_TRUE(log.Start(path, reason)) << reason.c_str();
    EXPECT_EQ(SimDriverFiles::ReadText(path), "time,temperature_c,core_mhz,memory_mhz,shader_mhz,fan_percent,fan_mode\r\n")
        << "a spreadsheet reading the open log";
    ASSERT_TRUE(log.Write(kTime, MakeSample(0, 61, 650, 1800, 1500, 45, true, FanMode::Automatic), reason));
    log.Stop();
    ASSERT_TRUE(log.Start(path, reason)) << reason.c_str();
    ASSERT_TRUE(log.Write({2026, 12, 31, 23, 59, 59}, MakeSample(0, 0, 0, 0, 0, 0, false, FanMode::Fixed), reason));
    ASSERT_TRUE(log.Write(kTime, MakeSample(0, 70, 700, 1000, 0, 0, true, FanMode::Curve), reason));
    log.Stop();
    EXPECT_EQ(SimDriverFiles::ReadText(path),
              "time,temperature_c,core_mhz,memory_mhz,shader_mhz,fan_percent,fan_mode\r\n"
              "2026-03-07T09:05:02,61,650,1800,1500,45,auto\r\n"
              "2026-12-31T23:59:59,,,,,,unknown\r\n"
              "2026-03-07T09:05:02,70,700,1000,,0,curve\r\n");
}

TEST(MonitorLog, EndsARowCutShortBeforeTheNext) {
    const std::wstring path = WinTest::TempPath(L"monitor-cut.csv");
    for (const auto& [cut, ending] : {std::pair<std::string, std::string>{"2026-03-07T09:05:02,61,6", "\r\n"},
                                      std::pair<std::string, std::string>{"2026-03-07T09:05:02,61,650\r", "\n"}}) {
        std::ofstream(path.c_str(), std::ios::binary) << cut;
        std::wstring reason;
        CMonitorLog log;
        ASSERT_TRUE(log.Start(path, reason)) << reason.c_str();
        ASSERT_TRUE(log.Write(kTime, MakeSample(0, 61, 650, 0, 0, 0, false, FanMode::Fixed), reason));
        log.Stop();
        EXPECT_EQ(SimDriverFiles::ReadText(path), cut + ending + "2026-03-07T09:05:02,61,650,,,,unknown\r\n") << cut;
    }
}

TEST(MonitorLog, StopsWithTheReasonWhenTheFileFails) {
    std::wstring reason;
    CMonitorLog log;
    EXPECT_FALSE(log.Start(WinTest::TempPath(L"no-such-folder\\log.csv"), reason));
    EXPECT_EQ(reason, SystemErrorText(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(log.Running());

    // A file someone holds open for writing is locked to the log.
    const std::wstring locked = WinTest::TempPath(L"monitor-locked.csv");
    CKernelHandle holder(CreateFileW(locked.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(holder.Valid());
    EXPECT_FALSE(log.Start(locked, reason));
    EXPECT_EQ(reason, SystemErrorText(ERROR_SHARING_VIOLATION));
    holder.Reset();

    // A write that fails: the file at its limit refuses the next row, and the log is closed.
    const std::wstring full = WinTest::TempPath(L"monitor-full.csv");
    CKernelHandle sizer(CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    LARGE_INTEGER limit{};
    limit.QuadPart = static_cast<LONGLONG>(kLogLimitBytes) - 10;
    ASSERT_TRUE(SetFilePointerEx(sizer.Get(), limit, nullptr, FILE_BEGIN) && SetEndOfFile(sizer.Get()));
    sizer.Reset();
    ASSERT_TRUE(log.Start(full, reason)) << reason.c_str();
    EXPECT_FALSE(log.Write(kTime, MakeSample(0, 61, 650, 1800, 1500, 45, true, FanMode::Fixed), reason));
    EXPECT_EQ(reason, L"The file has reached 100 MB.");
    EXPECT_FALSE(log.Running());
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(full.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, limit.LowPart + 2) << "the row not written, only the line end its zeroes lacked";
    DeleteFileW(full.c_str());
}

}  // namespace
