#pragma once
#include <windows.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/tavio/EmulatorCost.h"
#include "sim/tavio/KeyReports.h"
#include "sim/tavio/PanelDecoder.h"
#include "tavio/TavioTransport.h"

// The controller emulator as the program's transport: output reports go to the panel decoder
// (and, when OSKARA_SIM_TAVIO_LOG names a file, into it as hex lines); key presses come back as
// input reports that the started reader turns into WM_USER posts; unplugging and plugging deliver
// WM_DEVICECHANGE to the window registered for arrivals. Everything runs on the GUI thread: the
// presses come from the emulator's window there, so the reader needs no thread of its own (under
// Wine each thread keeps about a megabyte resident).
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
    void Deliver(const std::vector<uint8_t>& report) const;
    void Notify(UINT event);
    void Log(const std::vector<uint8_t>& report);

    PanelDecoder m_panel{kOutputLength};
    CEmulatorCost m_cost;
    std::function<void()> m_listener;
    std::unique_ptr<FILE, int (*)(FILE*)> m_log{nullptr, fclose};
    std::vector<HWND> m_arrivalWindows;
    bool m_open = false;
    bool m_plugged = true;

    // Reports of keys pressed while no reader runs wait for the next, as in the device's buffer.
    std::deque<std::vector<uint8_t>> m_keys;
    HWND m_reader = nullptr;
    int m_readersRunning = 0;
    int m_mostReaders = 0;
};
