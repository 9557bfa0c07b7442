#pragma once
#include <cstddef>
#include <cstdint>

// Where the screen's output reports go. The screen only frames commands; the transport behind
// this (the HID device, or the emulator in tests and the demo build) zero-fills each report to
// the controller's output report length.
class ReportSink {
public:
    virtual ~ReportSink() = default;
    // length meaningful bytes from the start of the report (report id first); true when sent.
    virtual bool WriteReport(const uint8_t* bytes, size_t length) = 0;
    // The controller's output report length; 0 while none is open.
    virtual size_t OutputReportLength() const = 0;
};
