// The controller's reader over a real overlapped handle (a message pipe standing in for the HID device): what is decoded, how it stops, how it waits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tavio/TavioDeviceReader.h"
#include "tests/win/support/KeyReceiver.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

// One end writes whole reports as messages; the other is read as the controller is.
class PipeDevice : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring name = L"\\\\.\\pipe\\oskara-tavio-reader-" + std::to_wstring(GetCurrentProcessId());
        writer = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_MESSAGE | PIPE_WAIT, 1, 4096, 4096, 0,
                                  nullptr);
        ASSERT_NE(writer, INVALID_HANDLE_VALUE);
        device = CreateFileW(name.c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OVERLAPPED, nullptr);
        ASSERT_NE(device, INVALID_HANDLE_VALUE);
        DWORD mode = PIPE_READMODE_MESSAGE;
        ASSERT_TRUE(SetNamedPipeHandleState(device, &mode, nullptr, nullptr));
        ASSERT_TRUE(reader.Prepare());
    }
    void TearDown() override {
        reader.Stop();
        CloseHandle(device);
        if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    }
    void Send(std::vector<uint8_t> report) {
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(writer, report.data(), static_cast<DWORD>(report.size()), &written, nullptr));
    }

    HANDLE writer = INVALID_HANDLE_VALUE;
    HANDLE device = INVALID_HANDLE_VALUE;
    CTavioReader reader;
    KeyReceiver window;
};

TEST_F(PipeDevice, EachReadDecodesOnlyTheBytesItTransferred) {
    reader.Start(device, 8, window.m_hWnd);
    Send({0x00, 0x01, 0x31});
    Send({0x00, 0x01, 0x3F});
    Send({0x00, 0x01});  // the buffer still holds 0x3F after these two bytes
    Send({0x00, 0x00, 0x00, 0x01, 0x38});
    WinTest::Pump(500);
    EXPECT_EQ(window.keys, (std::vector<WPARAM>{1, 1, 2, 3, 0}));
}

TEST_F(PipeDevice, StopEndsAPendingReadAtOnce) {
    reader.Start(device, 8, window.m_hWnd);
    Sleep(100);
    const DWORD started = GetTickCount();
    reader.Stop();
    EXPECT_LT(GetTickCount() - started, 1000u) << "the stop waited for the read's time-out";
    EXPECT_FALSE(reader.Running());
    Send({0x00, 0x01, 0x31});
    WinTest::Pump(100);
    EXPECT_TRUE(window.keys.empty());
}

ULONGLONG ProcessCpuMs() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ms = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000; };
    return ms(kernel) + ms(user);
}

TEST_F(PipeDevice, AFailingDeviceIsReadAgainAfterAPauseNotInATightLoop) {
    reader.Start(device, 8, window.m_hWnd);
    CloseHandle(writer);  // every read now fails at once
    writer = INVALID_HANDLE_VALUE;
    const ULONGLONG before = ProcessCpuMs();
    Sleep(1000);
    EXPECT_LT(ProcessCpuMs() - before, 150u) << "the reader spun on its failing reads";
    const DWORD started = GetTickCount();
    reader.Stop();
    EXPECT_LT(GetTickCount() - started, 500u);
}

}  // namespace
