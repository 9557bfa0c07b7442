// Key reports from the controller decoded into the menu's key events, and bad reports dropped.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tavio/KeyReport.h"

namespace {

std::vector<int> Decode(const std::vector<uint8_t>& report) {
    // A buffer of exactly the transferred size, so the sanitizer catches any read past it.
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[report.size()]);
    std::copy(report.begin(), report.end(), bytes.get());
    const KeyReport::Events events = KeyReport::Decode(bytes.get(), report.size());
    return std::vector<int>(events.codes, events.codes + events.count);
}

TEST(KeyReportDecode, KeyBytesGiveEventsInLeftMiddleRightOrder) {
    struct Row {
        std::vector<uint8_t> report;
        std::vector<int> events;
    };
    const Row rows[] = {
        {{0x00, 0x01, 0x31}, {1}},
        {{0x00, 0x01, 0x32}, {2}},
        {{0x00, 0x01, 0x34}, {3}},
        {{0x00, 0x01, 0x3F}, {1, 2, 3}},
        {{0x00, 0x01, 0x3B}, {1, 2}},
        {{0x00, 0x01, 0x38}, {0}},
        {{0x00, 0x01, 0x07}, {}},        // key bits without a pressed bit
        {{0x00, 0x01, 0x30}, {}},        // pressed bit without a key
        {{0x00, 0x00, 0x00, 0x00}, {}},  // all zeros
        {{0x00, 0x02, 0x31}, {}},        // not a key report
        {{0x00, 0x00, 0x00, 0x01, 0x34, 0x00}, {3}},  // leading zeros skipped
        {{0x01, 0x09}, {1}},             // 0x08 is a pressed bit too
        {{0x00, 0x01}, {}},              // key byte missing
        {{}, {}},
    };
    for (const Row& row : rows) EXPECT_EQ(Decode(row.report), row.events) << ::testing::PrintToString(row.report);
}

TEST(KeyReportDecode, ScanStopsAtIndex254AndNeverReadsPastTheTransferredBytes) {
    std::vector<uint8_t> report(255, 0);
    report[254] = 0x01;  // its key byte would be index 255, which was not transferred
    EXPECT_TRUE(Decode(report).empty());

    report.push_back(0x31);
    EXPECT_EQ(Decode(report), std::vector<int>{1});

    std::vector<uint8_t> late(256, 0);
    late[255] = 0x01;  // beyond the scan
    EXPECT_TRUE(Decode(late).empty());

    // Bytes past the transferred count are never looked at, even when the buffer holds a key.
    uint8_t buffer[8] = {0x00, 0x00, 0x01, 0x31};
    EXPECT_EQ(KeyReport::Decode(buffer, 2).count, 0u);
    EXPECT_EQ(KeyReport::Decode(nullptr, 8).count, 0u);
}

}  // namespace
