#include "tavio/KeyReport.h"

namespace KeyReport {

Events Decode(const uint8_t* report, size_t transferred) {
    Events events;
    if (!report) return events;
    const size_t end = transferred < kScanLimit + 1 ? transferred : kScanLimit + 1;
    size_t p = 0;
    while (p < end && report[p] == 0) ++p;
    // The key byte must lie within what was transferred.
    if (p >= end || report[p] != kKeyMarker || p + 1 >= transferred) return events;
    const uint8_t key = report[p + 1];
    if (key == kReleased) {
        events.codes[events.count++] = Release;
    } else if (key & kPressedMask) {
        static constexpr Event kByBit[3] = {Left, Middle, Right};
        for (unsigned bit = 0; bit < 3; ++bit)
            if (key & (1u << bit)) events.codes[events.count++] = kByBit[bit];
    }
    return events;
}

}  // namespace KeyReport
