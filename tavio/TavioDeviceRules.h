#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The controller transport's decisions, apart from the calls that reach the device.
namespace TavioDeviceRules {

constexpr uint16_t kVendorId = 0x1008;
constexpr uint16_t kProductId = 0x1013;
// The longest report the screen sends.
constexpr size_t kLongestOutputReport = 53;
// A failing read is tried again after this long, so a dead device never spins the reader.
constexpr unsigned kReadRetryMs = 100;

// A controller whose reports do not fit the screen's commands or the reader's buffer is not used.
bool AcceptsReportLengths(size_t inputLength, size_t outputLength);

// The whole report of outputLength bytes: the length meaningful bytes, zeros after them. False
// (and frame left empty) when bytes is null or they do not fit.
bool FrameOutputReport(const uint8_t* bytes, size_t length, size_t outputLength, std::vector<uint8_t>& frame);

// A device-change notice as it arrives: a header whose first field is its own size in bytes,
// then its type; a device interface carries its class and then its name (UTF-16, NUL-ended).
struct InterfaceNoticeLayout {
    static constexpr size_t kSize = 0;
    static constexpr size_t kDeviceType = 4;
    static constexpr size_t kHeaderBytes = 12;
    static constexpr size_t kName = 28;
    static constexpr uint32_t kDeviceInterfaceType = 5;
};

// The interface name in a notice, read no further than the notice's own size; false when the
// notice is null or not a device interface.
bool InterfaceName(const uint8_t* notice, std::u16string& name);

// Device paths name the same interface whatever the case of their letters; an empty path is
// nobody's.
bool SamePath(const std::u16string& a, const std::u16string& b);

}  // namespace TavioDeviceRules
