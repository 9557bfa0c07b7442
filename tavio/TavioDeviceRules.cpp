#include "tavio/TavioDeviceRules.h"

#include <cstring>

#include "tavio/KeyReport.h"

namespace TavioDeviceRules {

bool AcceptsReportLengths(size_t inputLength, size_t outputLength) {
    return outputLength >= kLongestOutputReport && inputLength > 0 && inputLength <= KeyReport::kReadBufferSize;
}

bool FrameOutputReport(const uint8_t* bytes, size_t length, size_t outputLength, std::vector<uint8_t>& frame) {
    frame.clear();
    if (!bytes || length > outputLength) return false;
    frame.assign(outputLength, 0);
    std::memcpy(frame.data(), bytes, length);
    return true;
}

namespace {

uint32_t ReadWord(const uint8_t* at) {
    uint32_t value;
    std::memcpy(&value, at, sizeof(value));
    return value;
}

char16_t Folded(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

}  // namespace

bool InterfaceName(const uint8_t* notice, std::u16string& name) {
    using L = InterfaceNoticeLayout;
    name.clear();
    if (!notice) return false;
    const uint32_t size = ReadWord(notice + L::kSize);
    if (size < L::kName || ReadWord(notice + L::kDeviceType) != L::kDeviceInterfaceType) return false;
    for (size_t at = L::kName; at + sizeof(char16_t) <= size; at += sizeof(char16_t)) {
        char16_t unit;
        std::memcpy(&unit, notice + at, sizeof(unit));
        if (unit == 0) break;
        name.push_back(unit);
    }
    return true;
}

bool SamePath(const std::u16string& a, const std::u16string& b) {
    if (a.empty() || a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Folded(a[i]) != Folded(b[i])) return false;
    return true;
}

}  // namespace TavioDeviceRules
