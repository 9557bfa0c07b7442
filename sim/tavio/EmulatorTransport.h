#pragma once
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/tavio/EmulatorCost.h"
#include "sim/tavio/KeyReports.h"
#include "sim/tavio/PanelDecoder.h"
#include "tavio/TavioTransport.h"

// One event of the emulator, closed with its owner.
class CEmulatorEvent {
public:
    explicit CEmulatorEvent(bool manualReset) : m_handle(CreateEventW(nullptr, manualReset, FALSE, nullptr)) {}
    ~CEmulatorEvent() {
        if (m_handle) CloseHandle(m_handle);
    }
    CEmulatorEvent(const CEmulatorEvent&) = delete;
    CEmulatorEvent& operator=(const CEmulatorEvent&) = delete;
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// The controller emulator as the program's transport: output reports go to the panel decoder
// (and, when OSKARA_SIM_TAVIO_LOG names a file, into it as hex lines); key presses come back as
// input reports that a reader thread turns into WM_USER posts; unplugging and plugging deliver
// WM_DEVICECHANGE to the window registered for arrivals.
class CEmulatorTransport : public TavioTransport {
public:
    static constexpr uint16_t kVendorId = 0x1008;
    static constexpr uint16_t kProductId = 0x1013;
    static constexpr size_t kInputLength = 9;
    static constexpr size_t kOutputLength = 65;
    static constexpr const wchar_t* kPath =
        L"\\\\?\\HID#VID_1008&PID_1013#7&emulated&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

    // logPath empty: the log named by OSKARA_SIM_TAVIO_LOG, if any.
    explicit CEmulatorTransport(std::wstring logPath = L"");
    ~CEmulatorTransport() override;
    CEmulatorTransport(const CEmulatorTransport&) = delete;
    CEmulatorTransport& operator=(const CEmulatorTransport&) = delete;

    bool FindAndOpen(uint16_t vendor, uint16_t product) override;
    void StartReader(HWND window) override;
    void Close() override;
    bool IsOpen() const override { return m_open; }
    bool StillAnswers() override { return m_open && m_plugged; }
    void RegisterForArrival(HWND window) override;
    bool IsSameDevice(const DEV_BROADCAST_HDR* header) const override;
    bool IsController(const DEV_BROADCAST_HDR* header) override { return IsSameDevice(header); }
    bool WriteReport(const uint8_t* bytes, size_t length) override;
    size_t OutputReportLength() const override { return m_open ? kOutputLength : 0; }

    // The user's side of the device. Keys do nothing while it is unplugged.
    void Press(PanelKey key);
    void Unplug();
    void Plug();
    bool Plugged() const { return m_plugged; }

    const PanelDecoder& Panel() const { return m_panel; }
    CEmulatorCost& Cost() { return m_cost; }
    // Called on the GUI thread after every output report.
    void SetScreenListener(std::function<void()> listener) { m_listener = std::move(listener); }
    int ReadersRunning() const { return m_readersRunning; }
    int MostReadersAtOnce() const { return m_mostReaders; }
    // Each registration gets its own notice, as the system delivers them.
    size_t ArrivalRegistrations() const { return m_arrivalWindows.size(); }

private:
    void ReaderLoop(HWND window);
    bool TakeReport(std::vector<uint8_t>& report);
    void Notify(UINT event);
    void Log(const std::vector<uint8_t>& report);

    PanelDecoder m_panel{kOutputLength};
    CEmulatorCost m_cost;
    std::function<void()> m_listener;
    std::unique_ptr<FILE, int (*)(FILE*)> m_log{nullptr, fclose};
    std::vector<HWND> m_arrivalWindows;
    bool m_open = false;
    std::atomic<bool> m_plugged{true};

    std::mutex m_mutex;
    std::deque<std::vector<uint8_t>> m_keys;
    CEmulatorEvent m_keyEvent{false};
    CEmulatorEvent m_stopEvent{true};
    std::thread m_reader;
    std::atomic<int> m_readersRunning{0};
    std::atomic<int> m_mostReaders{0};
};
