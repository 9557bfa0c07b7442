#pragma once
#include <windows.h>

#include <dbt.h>

#include "tavio/ReportSink.h"

// The controller as a device: found, opened, read on a reader thread that posts key events
// (WM_USER, wParam 0 release, 1 left, 2 middle, 3 right) to a window, and closed. The product
// uses the HID device; tests and the demo build use the controller emulator.
class TavioTransport : public ReportSink {
public:
    // True when a controller with these ids was found and every step of opening it succeeded.
    virtual bool FindAndOpen(uint16_t vendor, uint16_t product) = 0;
    // Starts the one reader of this open; events go to window by its handle.
    virtual void StartReader(HWND window) = 0;
    // Signals stop, joins the reader, closes the handles; harmless when already closed.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // True while the open controller still answers: a removal notice can be missed.
    virtual bool StillAnswers() = 0;
    // Device-interface notifications of the HID class go to window.
    virtual void RegisterForArrival(HWND window) = 0;
    // True when the header names a device interface whose name is the controller's path.
    virtual bool IsSameDevice(const DEV_BROADCAST_HDR* header) const = 0;
    // True when the header is the arrival of a controller interface while none is known yet.
    virtual bool IsController(const DEV_BROADCAST_HDR* header) = 0;
};
