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

// The registrations are counted where the program calls into user32: its import slot.
using RegisterFn = HDEVNOTIFY(WINAPI*)(HANDLE, LPVOID, DWORD);
RegisterFn g_realRegister = nullptr;
int g_registrations = 0;
HDEVNOTIFY WINAPI CountingRegister(HANDLE recipient, LPVOID filter, DWORD flags) {
    ++g_registrations;
    return g_realRegister(recipient, filter, flags);
}

void** ImportSlotOf(void* function) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); dll->Name; ++dll)
        for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk); slot->u1.Function; ++slot)
            if (reinterpret_cast<void*>(slot->u1.Function) == function) return reinterpret_cast<void**>(&slot->u1.Function);
    return nullptr;
}

void SetSlot(void** slot, void* function) {
    DWORD protection = 0;
    VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &protection);
    *slot = function;
    VirtualProtect(slot, sizeof(void*), protection, &protection);
}

TEST(TavioDiscovery, ArrivalRegistrationIsAcceptedOnceForAWindow) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    g_realRegister = reinterpret_cast<RegisterFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "RegisterDeviceNotificationW")));
    void** slot = ImportSlotOf(reinterpret_cast<void*>(g_realRegister));
    ASSERT_NE(slot, nullptr);
    SetSlot(slot, reinterpret_cast<void*>(&CountingRegister));
    {
        CTavioDevice device;
        device.RegisterForArrival(window);
        device.RegisterForArrival(window);
        EXPECT_TRUE(device.LastError().empty()) << device.LastError().c_str();
        EXPECT_EQ(g_registrations, 1);
    }
    SetSlot(slot, reinterpret_cast<void*>(g_realRegister));
    DestroyWindow(window);
}

}  // namespace
