// The controller transport's decisions: report lengths accepted, output framing, device notices.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tavio/TavioDeviceRules.h"

namespace {

using namespace TavioDeviceRules;

TEST(TavioReportLengths, OutputBelow53OrInputOutside1To256IsRefused) {
    const struct {
        size_t input, output;
        bool accepted;
    } lengths[] = {{3, 53, true}, {256, 65, true}, {3, 52, false}, {3, 0, false}, {0, 65, false}, {257, 65, false}};
    for (const auto& l : lengths) EXPECT_EQ(AcceptsReportLengths(l.input, l.output), l.accepted) << l.input << "/" << l.output;
}

TEST(TavioOutputFrame, MeaningfulBytesThenZerosToTheOutputLength) {
    const uint8_t command[] = {0x00, 0x04, 0x1B, 0x30, 0x10, 0x02};
    std::vector<uint8_t> frame;
    ASSERT_TRUE(FrameOutputReport(command, sizeof(command), 9, frame));
    EXPECT_EQ(frame, (std::vector<uint8_t>{0x00, 0x04, 0x1B, 0x30, 0x10, 0x02, 0x00, 0x00, 0x00}));

    frame.assign(4, 0xEE);
    EXPECT_FALSE(FrameOutputReport(command, sizeof(command), 5, frame));  // does not fit
    EXPECT_TRUE(frame.empty());
    EXPECT_FALSE(FrameOutputReport(nullptr, 3, 65, frame));
}

// A notice laid out as the system delivers one: size, type, reserved, class, name.
std::vector<uint8_t> Notice(uint32_t type, const std::u16string& name, uint32_t size = 0) {
    std::vector<uint8_t> bytes(28 + (name.size() + 1) * 2, 0);
    if (!size) size = static_cast<uint32_t>(bytes.size());
    std::memcpy(bytes.data(), &size, 4);
    std::memcpy(bytes.data() + 4, &type, 4);
    for (size_t i = 0; i < name.size(); ++i) std::memcpy(bytes.data() + 28 + 2 * i, &name[i], 2);
    return bytes;
}

TEST(TavioDeviceNotice, NameIsReadWithinTheNoticeSizeAndOnlyForInterfaces) {
    std::u16string name;
    auto notice = Notice(5, u"\\\\?\\HID#VID_1008");
    ASSERT_TRUE(InterfaceName(notice.data(), name));
    EXPECT_EQ(name, u"\\\\?\\HID#VID_1008");

    notice = Notice(5, u"ABCDEF", 28 + 3 * 2);  // the size ends the name before its NUL
    ASSERT_TRUE(InterfaceName(notice.data(), name));
    EXPECT_EQ(name, u"ABC");

    notice = Notice(5, u"ABC", 27);  // too short for any name
    EXPECT_FALSE(InterfaceName(notice.data(), name));
    notice = Notice(2, u"ABC");  // a volume, not an interface
    EXPECT_FALSE(InterfaceName(notice.data(), name));
    EXPECT_FALSE(InterfaceName(nullptr, name));
    EXPECT_TRUE(name.empty());
}

TEST(TavioDeviceNotice, PathsCompareWithoutCaseAndAnEmptyPathMatchesNothing) {
    EXPECT_TRUE(SamePath(u"\\\\?\\hid#vid_1008&pid_1013", u"\\\\?\\HID#VID_1008&PID_1013"));
    EXPECT_FALSE(SamePath(u"\\\\?\\hid#vid_1008&pid_1013", u"\\\\?\\hid#vid_1008&pid_1014"));
    EXPECT_FALSE(SamePath(u"\\\\?\\hid#vid_1008", u"\\\\?\\hid#vid_1008&pid_1013"));
    EXPECT_FALSE(SamePath(u"", u""));
    EXPECT_FALSE(SamePath(u"[", u"{"));  // only letters fold
}

}  // namespace
