// The controller emulator as a transport: keys read on one reader and posted, device notices on unplug and plug, reports decoded and logged; its window's lamps and keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/tavio/EmulatorTransport.h"
#include "sim/tavio/EmulatorWindow.h"
#include "tests/win/support/KeyReceiver.h"
#include "tests/win/support/SimDriverFiles.h"
#include "tests/win/support/SkinPixels.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

TEST(TavioEmulator, KeysArriveInOrderThroughOneReaderOnlyWhileOpenHeldOnesLetGoWithTheFocus) {
    KeyReceiver window;
    CEmulatorTransport emulator(WinTest::TempPath(L"unused.log"));
    EXPECT_FALSE(emulator.FindAndOpen(0x845E, 1));
    ASSERT_TRUE(emulator.FindAndOpen(0x1008, 0x1013));
    emulator.StartReader(window.m_hWnd);
    emulator.StartReader(window.m_hWnd);
    emulator.Press(PanelKey::Right);
    emulator.Press(PanelKey::Left);
    emulator.Press(PanelKey::Release);
    // The key-up of a key held on the emulator's window goes to the window that took the focus.
    CEmulatorWindow held(emulator);
    ASSERT_TRUE(held.Create(GetModuleHandleW(nullptr), nullptr));
    for (const UINT msg : {WM_KEYDOWN, WM_KILLFOCUS}) SendMessageW(held.Handle(), msg, '2', 0);
    WinTest::Pump(1000, [&] { return window.keys.size() >= 5; });
    EXPECT_EQ(window.keys, (std::vector<WPARAM>{3, 1, 0, 2, 0}));
    EXPECT_EQ(emulator.ReadersRunning(), 1);
    EXPECT_EQ(emulator.MostReadersAtOnce(), 1);

    emulator.Close();
    emulator.Close();
    EXPECT_EQ(emulator.ReadersRunning(), 0);
    EXPECT_FALSE(emulator.IsOpen());
}

TEST(TavioEmulator, UnplugAndPlugNoticeEachRegistrationWithTheDevicePath) {
    KeyReceiver first, second;
    CEmulatorTransport emulator(WinTest::TempPath(L"unused.log"));
    emulator.RegisterForArrival(first.m_hWnd);
    emulator.RegisterForArrival(second.m_hWnd);
    ASSERT_TRUE(emulator.FindAndOpen(0x1008, 0x1013));
    emulator.Unplug();
    EXPECT_FALSE(emulator.FindAndOpen(0x1008, 0x1013)) << "an unplugged controller was found";
    const uint8_t report[] = {0x00, 0x01, 0x1F};
    EXPECT_FALSE(emulator.WriteReport(report, sizeof(report)));
    emulator.Plug();
    const std::vector<std::pair<WPARAM, std::wstring>> expected = {
        {DBT_DEVICEREMOVECOMPLETE, CEmulatorTransport::kPath}, {DBT_DEVICEARRIVAL, CEmulatorTransport::kPath}};
    EXPECT_EQ(first.notices, expected);
    EXPECT_EQ(second.notices, expected);
}

TEST(TavioEmulator, NoticesNameTheControllerOnlyWithItsPathWithinTheirSize) {
    CEmulatorTransport emulator(WinTest::TempPath(L"unused.log"));
    struct {
        DEV_BROADCAST_DEVICEINTERFACE_W notice;
        wchar_t rest[MAX_PATH];
    } message{};
    message.notice.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    const std::wstring path = CEmulatorTransport::kPath;
    std::wstring lower = path;
    for (wchar_t& c : lower) c = towlower(c);
    lower.copy(message.notice.dbcc_name, lower.size());
    auto* header = reinterpret_cast<DEV_BROADCAST_HDR*>(&message);
    message.notice.dbcc_size = sizeof(message);
    EXPECT_TRUE(emulator.IsSameDevice(header));
    EXPECT_TRUE(emulator.IsController(header));
    // A size that ends the name early.
    message.notice.dbcc_size = static_cast<DWORD>(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + 20);
    EXPECT_FALSE(emulator.IsSameDevice(header));
    message.notice.dbcc_size = sizeof(message);
    message.notice.dbcc_name[path.size()] = L'x';
    EXPECT_FALSE(emulator.IsSameDevice(header));
    message.notice.dbcc_name[path.size()] = 0;
    message.notice.dbcc_devicetype = DBT_DEVTYP_VOLUME;
    EXPECT_FALSE(emulator.IsSameDevice(header));
    EXPECT_FALSE(emulator.IsSameDevice(nullptr));
}

TEST(TavioEmulator, ReportsArePaddedDecodedAndLoggedAsHexLines) {
    const std::wstring log = WinTest::TempPath(L"tavio.log");
    DeleteFileW(log.c_str());
    {
        CEmulatorTransport emulator(log);
        const uint8_t lamp11[] = {0x00, 0x04, 0x1B, 0x30, 0x10, 0x02};
        EXPECT_FALSE(emulator.WriteReport(lamp11, sizeof(lamp11))) << "written before the open";
        ASSERT_TRUE(emulator.FindAndOpen(0x1008, 0x1013));
        EXPECT_EQ(emulator.OutputReportLength(), 65u);
        EXPECT_TRUE(emulator.WriteReport(lamp11, sizeof(lamp11)));
        EXPECT_TRUE(emulator.WriteReport(lamp11, 0));
        std::vector<uint8_t> tooLong(66, 0);
        EXPECT_FALSE(emulator.WriteReport(tooLong.data(), tooLong.size()));
        EXPECT_TRUE(emulator.Panel().Lamp(11));
        EXPECT_EQ(emulator.Panel().Reports(), 1u);
        EXPECT_TRUE(emulator.Panel().Errors().empty());
    }
    EXPECT_EQ(SimDriverFiles::ReadText(log), "00041b301002" + std::string(2 * 59, '0') + "\n");
}

}  // namespace

TEST(TavioEmulator, EachLampShowsLitInItsOwnPlaceOnTheGlass) {
    CEmulatorTransport emulator(WinTest::TempPath(L"tavio-lamps.log"));
    ASSERT_TRUE(emulator.FindAndOpen(0x1008, 0x1013));
    // The core's edit mark (address 4, bit 3) and the cell lamp 11 (address 16).
    for (uint8_t address : {4, 16}) {
        const uint8_t report[] = {0x00, 0x04, 0x1B, 0x30, address, static_cast<uint8_t>(address == 4 ? 0x08 : 0x02)};
        ASSERT_TRUE(emulator.WriteReport(report, sizeof(report)));
    }
    CEmulatorWindow window(emulator);
    ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), nullptr));
    UpdateWindow(window.Handle());
    const auto centre = [&window](int lamp) {
        const RECT r = CEmulatorWindow::LampRect(lamp);
        return WindowPixel(window.Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    const COLORREF lit = centre(4), dark = centre(2);
    EXPECT_NE(lit, dark);
    for (int lamp = 0; lamp < 13; ++lamp) EXPECT_EQ(centre(lamp), lamp == 4 || lamp == 11 ? lit : dark) << lamp;

    SendMessageW(window.Handle(), WM_COMMAND, CEmulatorWindow::kPlugButtonId, 0);  // Unplug: the glass goes dark
    UpdateWindow(window.Handle());
    EXPECT_EQ(centre(4), dark);
}
