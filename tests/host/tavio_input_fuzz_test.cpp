// Random input reports and random device notices: decoded without a crash or a read out of bounds.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "tavio/KeyReport.h"
#include "tavio/TavioDeviceRules.h"

namespace {

TEST(TavioInputFuzz, RandomReportsGiveAtMostThreeKnownEvents) {
    std::mt19937 random(1234);
    for (int round = 0; round < 20000; ++round) {
        const size_t length = random() % 257;
        std::unique_ptr<uint8_t[]> report(new uint8_t[length ? length : 1]);
        // Mostly zeros and the marker, so that many reports reach the key byte.
        for (size_t i = 0; i < length; ++i) {
            const unsigned pick = random() % 8;
            report[i] = pick < 4 ? 0 : pick == 4 ? 0x01 : static_cast<uint8_t>(random());
        }
        const KeyReport::Events events = KeyReport::Decode(report.get(), length);
        ASSERT_LE(events.count, 3u);
        for (size_t i = 0; i < events.count; ++i) ASSERT_LE(events.codes[i], 3);
        if (events.count > 1)
            for (size_t i = 1; i < events.count; ++i) ASSERT_LT(events.codes[i - 1], events.codes[i]);
    }
}

TEST(TavioInputFuzz, RandomNoticesNeverReadPastTheirSize) {
    std::mt19937 random(99);
    for (int round = 0; round < 20000; ++round) {
        // A notice is never shorter than its header; its size field never exceeds what is there.
        const size_t allocated = 12 + random() % 100;
        std::unique_ptr<uint8_t[]> notice(new uint8_t[allocated]);
        for (size_t i = 0; i < allocated; ++i) notice[i] = static_cast<uint8_t>(random() % 4 ? random() : 0);
        const uint32_t size = static_cast<uint32_t>(random() % (allocated + 1));
        const uint32_t type = random() % 2 ? 5 : random() % 8;
        std::memcpy(notice.get(), &size, 4);
        std::memcpy(notice.get() + 4, &type, 4);
        std::u16string name;
        const bool isInterface = TavioDeviceRules::InterfaceName(notice.get(), name);
        ASSERT_EQ(isInterface, type == 5 && size >= 28);
        ASSERT_LE(28 + name.size() * 2, isInterface ? size : 28u);
        ASSERT_FALSE(TavioDeviceRules::SamePath(u"", name));
    }
}

}  // namespace
