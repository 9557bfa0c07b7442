// Controller discovery over the real HID class driver and SetupAPI, which under Wine shows only its own mouse and keyboard.
#include <gtest/gtest.h>

#include <algorithm>

#include "tavio/TavioDevice.h"

namespace {

constexpr uint16_t kWineVendor = 0x845E;

bool Saw(const CTavioDevice& device, uint16_t vendor, uint16_t product) {
    const auto& scan = device.LastScan();
    return std::any_of(scan.begin(), scan.end(),
                       [&](const CTavioDevice::Attributes& a) { return a.vendor == vendor && a.product == product; });
}

TEST(TavioDiscovery, ReadsWinesMouseAttributesAndRefusesItThenRunsOnClosed) {
    CTavioDevice device;
    EXPECT_FALSE(device.FindAndOpen(0x1008, 0x1013));
    EXPECT_TRUE(Saw(device, kWineVendor, 1)) << "the mouse's attributes were not read";
    EXPECT_FALSE(device.IsOpen());
    EXPECT_TRUE(device.DevicePath().empty());
    EXPECT_EQ(device.OutputReportLength(), 0u);
    const uint8_t report[] = {0x00, 0x01, 0x1F};
    EXPECT_FALSE(device.WriteReport(report, sizeof(report)));
    EXPECT_TRUE(device.WriteReport(report, 0));
    device.StartReader(nullptr);
    device.Close();
    device.Close();
}

TEST(TavioDiscovery, AMatchWhoseReportsCannotCarryTheScreenIsClosedAndNotUsed) {
    CTavioDevice device;
    // Wine's mouse matches these ids, but it has no output report long enough for the screen.
    EXPECT_FALSE(device.FindAndOpen(kWineVendor, 1));
    EXPECT_TRUE(Saw(device, kWineVendor, 1));
    EXPECT_EQ(device.LastError().rfind(L"report lengths refused (input ", 0), 0u) << device.LastError().c_str();
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(device.OutputReportLength(), 0u);
}

TEST(TavioDiscovery, NoticesOfOtherDevicesOrKindsAreNotTheController) {
    CTavioDevice device;
    ASSERT_FALSE(device.FindAndOpen(0x1008, 0x1013));
    EXPECT_FALSE(device.IsSameDevice(nullptr));
    EXPECT_FALSE(device.IsController(nullptr));

    DEV_BROADCAST_HDR volume{sizeof(volume), DBT_DEVTYP_VOLUME, 0};
    EXPECT_FALSE(device.IsController(&volume));

    // A notice naming a path nothing answers to, and then one with an empty name.
    struct {
        DEV_BROADCAST_DEVICEINTERFACE_W notice;
        wchar_t rest[40];
    } named{};
    const wchar_t path[] = L"\\\\?\\hid#vid_1008&pid_1013#none";
    named.notice.dbcc_size = sizeof(named);
    named.notice.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    wcscpy(named.notice.dbcc_name, path);
    auto* header = reinterpret_cast<DEV_BROADCAST_HDR*>(&named);
    EXPECT_FALSE(device.IsController(header));
    EXPECT_FALSE(device.IsSameDevice(header));  // nothing kept yet matches nothing
    named.notice.dbcc_name[0] = 0;
    EXPECT_FALSE(device.IsController(header));
}

TEST(TavioDiscovery, ArrivalRegistrationIsAcceptedOnceForAWindow) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    {
        CTavioDevice device;
        device.RegisterForArrival(window);
        device.RegisterForArrival(window);
        EXPECT_TRUE(device.LastError().empty()) << device.LastError().c_str();
    }
    DestroyWindow(window);
}

}  // namespace
