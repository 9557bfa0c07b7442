#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tavio/TavioDeviceHandles.h"
#include "tavio/TavioTransport.h"

// The controller over the HID class driver: found by its ids among the HID interfaces, written
// through HidD_SetOutputReport, read by one reader thread per open that posts key events.
class CTavioDevice : public TavioTransport {
public:
    struct Attributes {
        uint16_t vendor;
        uint16_t product;
    };

    CTavioDevice();
    ~CTavioDevice() override;
    CTavioDevice(const CTavioDevice&) = delete;
    CTavioDevice& operator=(const CTavioDevice&) = delete;

    bool FindAndOpen(uint16_t vendor, uint16_t product) override;
    void StartReader(HWND window) override;
    void Close() override;
    bool IsOpen() const override { return m_open != nullptr; }
    bool StillAnswers() override;
    void RegisterForArrival(HWND window) override;
    bool IsSameDevice(const DEV_BROADCAST_HDR* header) const override;
    bool IsController(const DEV_BROADCAST_HDR* header) override;

    bool WriteReport(const uint8_t* bytes, size_t length) override;
    size_t OutputReportLength() const override;

    // The interface of the last open, kept after close to recognise the controller's return.
    const std::wstring& DevicePath() const { return m_path; }
    // The last failure under the name of the call that failed.
    const std::wstring& LastError() const { return m_lastError; }
    // The ids of every interface the last discovery could read.
    const std::vector<Attributes>& LastScan() const { return m_lastScan; }

private:
    struct Connection;

    bool ReadAttributes(HANDLE query, Attributes& attributes);
    std::unique_ptr<Connection> OpenMatch(const std::wstring& path, CKernelHandle& query);
    void Fail(const wchar_t* call, DWORD code);

    GUID m_hidGuid{};
    std::wstring m_path;
    std::unique_ptr<Connection> m_open;
    CDeviceNotification m_arrival;
    std::wstring m_lastError;
    std::vector<Attributes> m_lastScan;
};
