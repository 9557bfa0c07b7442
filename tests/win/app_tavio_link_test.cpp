// The application's hold on the controller: connect at start, removal and return, arrivals, the held key at removal, the close at exit.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include "app/OskaraApp.h"
#include "sim/tavio/EmulatorTransport.h"
#include "support/MainDialogFixture.h"
#include "support/WinTestSupport.h"

namespace {

class AppTavioLink : public ::testing::Test {
protected:
    void SetUp() override {
        WinTest::ClearBrenmarKey();
        const std::wstring path = WinTest::TempPath(L"oskara-tavio-journal.jsonl");
        DeleteFileW(path.c_str());
        SetEnvironmentVariableW(L"OSKARA_SIM_JOURNAL", path.c_str());
        journal.Use(path);
    }
    void TearDown() override { app.ExitInstance(); }

    void Press(PanelKey key, size_t reportsBefore) {
        emulator->Press(key);
        WinTest::Pump(2000, [&] { return emulator->Panel().Reports() > reportsBefore; });
    }
    void Tap(PanelKey key) {
        Press(key, emulator->Panel().Reports());
        Press(PanelKey::Release, emulator->Panel().Reports());
    }

    CEmulatorTransport* emulator = new CEmulatorTransport(WinTest::TempPath(L"tavio-unused.log"));
    COskaraApp app{L"Oskara", std::unique_ptr<TavioTransport>(emulator)};
    DriverJournal journal;
};

TEST_F(AppTavioLink, StartConnectsTheControllerAndExitLeavesItInExitModeOnce) {
    ASSERT_TRUE(app.InitInstance());
    EXPECT_TRUE(emulator->IsOpen());
    EXPECT_EQ(emulator->ReadersRunning(), 1);
    for (int lamp : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12}) EXPECT_TRUE(emulator->Panel().Lamp(lamp)) << lamp;
    EXPECT_EQ(emulator->Panel().CurrentMode(), PanelDecoder::Mode::Running);

    app.ExitInstance();
    EXPECT_EQ(emulator->Panel().CurrentMode(), PanelDecoder::Mode::Exited);
    EXPECT_FALSE(emulator->IsOpen());
    EXPECT_EQ(emulator->ReadersRunning(), 0);
    const size_t reports = emulator->Panel().Reports();
    app.ExitInstance();  // the end of a session and the exit both close
    EXPECT_EQ(emulator->Panel().Reports(), reports);
    EXPECT_TRUE(emulator->Panel().Errors().empty());
}

TEST_F(AppTavioLink, TwentyReconnectsLeaveOneReaderAndEachKeyActsOnce) {
    ASSERT_TRUE(app.InitInstance());
    for (int i = 0; i < 20; ++i) {
        emulator->Unplug();
        WinTest::Pump(20);
        ASSERT_FALSE(emulator->IsOpen()) << "removal " << i << " left the controller open";
        emulator->Plug();
        WinTest::Pump(20);
        ASSERT_TRUE(emulator->IsOpen()) << "return " << i << " was not connected";
    }
    EXPECT_EQ(emulator->ReadersRunning(), 1);
    EXPECT_EQ(emulator->MostReadersAtOnce(), 1);
    EXPECT_EQ(emulator->ArrivalRegistrations(), 1u);
    Tap(PanelKey::Left);  // main menu -> core clock: lamp 4; a second Left would mark memory
    EXPECT_TRUE(emulator->Panel().Lamp(4));
    EXPECT_FALSE(emulator->Panel().Lamp(7));
}

size_t ProcessThreads() {
    size_t threads = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++threads;
    CloseHandle(snapshot);
    return threads;
}

// Wine answers GetProcessHandleCount with 0, so the handle table is probed value by value.
size_t ProcessHandles() {
    size_t handles = 0;
    for (uintptr_t value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++handles;
    }
    return handles;
}

TEST_F(AppTavioLink, AHundredRemovalsAndArrivalsLeaveNoHandleOrThreadAndOneBlink) {
    ASSERT_TRUE(app.InitInstance());
    const auto cycle = [&](int i) {
        emulator->Unplug();
        WinTest::Pump(2000, [&] { return !emulator->IsOpen() && emulator->ReadersRunning() == 0; });
        ASSERT_FALSE(emulator->IsOpen()) << "removal " << i;
        emulator->Plug();
        WinTest::Pump(2000, [&] { return emulator->IsOpen() && emulator->ReadersRunning() == 1; });
        ASSERT_TRUE(emulator->IsOpen()) << "arrival " << i;
    };
    // The first cycles settle what the window system and the runtime keep for good.
    for (int i = 0; i < 5; ++i) cycle(i);
    const size_t handles = ProcessHandles();
    const size_t threads = ProcessThreads();
    ASSERT_GT(handles, 0u);
    ASSERT_GT(threads, 0u);
    for (int i = 0; i < 100; ++i) cycle(i);
    // A leak per cycle would show as a hundred; Wine may start a helper thread of its own now
    // and then, which is no leak.
    EXPECT_LT(ProcessHandles(), handles + 10);
    EXPECT_LT(ProcessThreads(), threads + 10);
    EXPECT_EQ(emulator->ReadersRunning(), 1);
    EXPECT_EQ(emulator->MostReadersAtOnce(), 1);

    // The fan menu (four Lefts from the main menu) blinks lamp 0: its blink timer starts there and
    // toggles the lamp about five times in 2.6 s (the first tick may find it as it is already);
    // two timers would toggle it twice as often.
    for (int i = 0; i < 4; ++i) Tap(PanelKey::Left);
    int toggles = 0;
    bool lit = emulator->Panel().Lamp(0);
    WinTest::Pump(2600, [&] {
        if (emulator->Panel().Lamp(0) != lit) ++toggles, lit = !lit;
        return false;
    });
    EXPECT_GE(toggles, 3);
    EXPECT_LE(toggles, 6);
}

TEST_F(AppTavioLink, ARemovedControllerEndsTheRepeatOfAHeldKey) {
    ASSERT_TRUE(app.InitInstance());
    Tap(PanelKey::Left);
    const size_t before = journal.ClockWrites().size();
    emulator->Press(PanelKey::Right);  // held: steps the core clock every 250 ms
    WinTest::Pump(2000, [&] { return journal.ClockWrites().size() > before; });
    ASSERT_GT(journal.ClockWrites().size(), before) << "the held key wrote no clock";
    emulator->Unplug();
    WinTest::Pump(50);
    const size_t atRemoval = journal.ClockWrites().size();
    WinTest::Pump(1000);
    EXPECT_EQ(journal.ClockWrites().size(), atRemoval) << "the card was written after the removal";
    emulator->Plug();
    WinTest::Pump(700);
    EXPECT_EQ(journal.ClockWrites().size(), atRemoval) << "the repeat came back with the controller";
}

TEST_F(AppTavioLink, AControllerPluggedInAfterTheStartIsConnected) {
    emulator->Unplug();  // before the start: nobody is told
    ASSERT_TRUE(app.InitInstance());
    EXPECT_FALSE(emulator->IsOpen());
    EXPECT_EQ(emulator->Panel().Reports(), 0u);
    emulator->Plug();
    WinTest::Pump(100);
    EXPECT_TRUE(emulator->IsOpen());
    EXPECT_EQ(emulator->ReadersRunning(), 1);
    EXPECT_TRUE(emulator->Panel().Lamp(11));
}

TEST_F(AppTavioLink, AnArrivalWhileTheControllerIsOpenChangesNothing) {
    ASSERT_TRUE(app.InitInstance());
    WinTest::Pump(50);
    const size_t reports = emulator->Panel().Reports();
    struct {
        DEV_BROADCAST_DEVICEINTERFACE_W notice;
        wchar_t rest[MAX_PATH];
    } message{};
    message.notice.dbcc_size = sizeof(message);
    message.notice.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    std::wstring(CEmulatorTransport::kPath).copy(message.notice.dbcc_name, MAX_PATH);
    app.Tray().SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&message));
    app.Tray().SendMessage(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0);
    app.Tray().SendMessage(WM_DEVICECHANGE, 0x0007, 0);  // DBT_DEVNODES_CHANGED carries no notice
    WinTest::Pump(50);
    EXPECT_EQ(emulator->Panel().Reports(), reports);
    EXPECT_TRUE(emulator->IsOpen());
    EXPECT_EQ(emulator->ReadersRunning(), 1);
}

}  // namespace
