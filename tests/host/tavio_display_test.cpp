// The controller's screen: report frames, number fields, bars, indicators and the text line, byte for byte.
#include <gtest/gtest.h>

#include "tavio_harness.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Reports = std::vector<Bytes>;

Bytes Seg(uint8_t address, uint8_t value) { return {0x00, 0x04, 0x1B, 0x30, address, value}; }

TEST(TavioDisplay, ResetSendsModeClearAndSetupAndForgetsTheMirror) {
    TavioScreen s;
    s.display.SetIndicator(11, true);
    s.sink.reports.clear();
    s.display.Opened();
    EXPECT_TRUE(s.display.IsConnected());
    EXPECT_EQ(s.sink.reports, (Reports{{0x00, 0x04, 0x1B, 0x80, 0x57, 0x75},
                                       {0x00, 0x01, 0x1F},
                                       {0x00, 0x05, 0x1B, 0x40, 0x02, 0x00, 0x00}}));
    EXPECT_EQ(s.display.Mirror()[16], 0);
    s.sink.reports.clear();
    s.display.SendExitMode();
    EXPECT_EQ(s.sink.reports, (Reports{{0x00, 0x05, 0x1B, 0x80, 0x53, 0x62, 0x6D}}));
    s.display.Removed();
    EXPECT_FALSE(s.display.IsConnected());
}

TEST(TavioDisplay, SendsNothingToAControllerWhoseReportsCannotHoldATextSlice) {
    for (size_t length : {size_t{0}, size_t{6}, size_t{52}}) {
        TavioScreen s(length);
        s.display.Opened();
        s.display.ShowCore(7);
        s.display.SetIndicator(11, true);
        s.display.FlushText();
        EXPECT_TRUE(s.sink.reports.empty()) << length;
        EXPECT_EQ(s.display.Mirror()[16], 2) << "the mirror changes all the same";
    }
    TavioScreen fits(53);
    fits.display.FlushText();
    EXPECT_EQ(fits.sink.reports.size(), 7u);
    EXPECT_TRUE(fits.sink.panel.Errors().empty());
}

TEST(TavioDisplay, NumberFieldsWriteTheirAddressesInOrder) {
    TavioScreen s;
    s.display.ShowCore(7);
    EXPECT_EQ(s.sink.reports, (Reports{Seg(4, 0x04), Seg(5, 0x40), Seg(6, 0x04), Seg(7, 0x00), Seg(8, 0x00)}));
    s.sink.reports.clear();
    s.display.ShowCore(0);
    EXPECT_EQ(s.sink.reports, (Reports{Seg(4, 0x04), Seg(5, 0x44), Seg(6, 0x04), Seg(7, 0x44), Seg(8, 0x00)}));
    s.sink.reports.clear();
    s.display.ShowCore(1234);
    EXPECT_EQ(s.sink.reports, (Reports{Seg(4, 0x03), Seg(5, 0x7C), Seg(6, 0x76), Seg(7, 0x93), Seg(8, 0x00)}));
    s.sink.reports.clear();
    s.display.ShowShader(1);
    EXPECT_EQ(s.sink.reports, (Reports{Seg(12, 0x01), Seg(13, 0x00), Seg(14, 0x10), Seg(15, 0x00)}));
    s.sink.reports.clear();
    s.display.ShowMemory(0);
    EXPECT_EQ(s.sink.reports, (Reports{Seg(8, 0x08), Seg(9, 0x88), Seg(10, 0x08), Seg(11, 0x88)}));

    // Read back by the emulator, which has its own tables.
    const std::pair<uint32_t, const char*> shown[] = {{0, "   0"}, {7, "   7"}, {10, "  10"}, {999, " 999"},
                                                      {1000, "1000"}, {12345, "2345"}, {4294967295u, "7295"}};
    for (const auto& [value, digits] : shown) {
        s.display.ShowCore(value);
        s.display.ShowMemory(value);
        s.display.ShowShader(value);
        EXPECT_EQ(s.sink.panel.Digits(PanelDecoder::Core), digits);
        EXPECT_EQ(s.sink.panel.Digits(PanelDecoder::Memory), digits);
        EXPECT_EQ(s.sink.panel.Digits(PanelDecoder::Shader), digits);
    }
    EXPECT_TRUE(s.sink.panel.Errors().empty());
}

TEST(TavioDisplay, SharedAddressEightKeepsTheOtherFieldsBits) {
    TavioScreen s;
    for (int id : {5, 6, 7}) s.display.SetIndicator(id, true);
    s.display.ShowCore(8000);  // thousands bottom is 8.7
    s.sink.reports.clear();
    s.display.ShowMemory(8888);
    EXPECT_EQ(s.sink.reports.front(), Seg(8, 0xFF));
    s.display.ShowMemory(0);
    EXPECT_EQ(s.sink.reports[4], Seg(8, 0xF8));
    s.display.ShowCore(7);
    EXPECT_EQ(s.sink.reports[12], Seg(8, 0x78));
    s.display.SetIndicator(6, false);
    EXPECT_EQ(s.sink.reports.back(), Seg(8, 0x58));
}

// The poll sets both bars every three seconds: cells already showing what they should are not
// sent again, so an unchanged reading costs the controller nothing.
TEST(TavioDisplay, BarsLightTheirTopCellsAndWriteOnlyTheCellsThatChange) {
    TavioScreen s;
    s.display.SetFanBar(6);
    Reports expected;
    for (uint8_t address = 64; address <= 69; ++address) expected.push_back(Seg(address, 2));
    EXPECT_EQ(s.sink.reports, expected);
    s.display.SetFanBar(6);
    EXPECT_EQ(s.sink.reports.size(), 6u);
    s.display.SetFanBar(4);
    EXPECT_EQ(s.sink.reports.size(), 8u);
    EXPECT_EQ(s.sink.reports[6], Seg(64, 0));
    EXPECT_EQ(s.sink.reports[7], Seg(65, 0));
    EXPECT_EQ(s.sink.panel.BarLevel(PanelDecoder::Fan), 4);

    const std::pair<int, int> levels[] = {{0, 0}, {1, 1}, {20, 20}, {25, 20}, {256, 20}, {-1, 0}};
    for (const auto& [level, lit] : levels) {
        s.display.SetTemperatureBar(level);
        EXPECT_EQ(s.sink.panel.BarLevel(PanelDecoder::Temperature), lit) << level;
    }
    const size_t before = s.sink.reports.size();
    s.display.SetTemperatureBar(1);
    EXPECT_EQ(s.sink.reports.size(), before + 1);
    EXPECT_EQ(s.sink.reports.back(), Seg(37, 0x02));

    // A reset clears the screen and the mirror alike: the same level is sent again in full, every
    // cell, and so is every tenth setting after it, whatever the mirror says.
    s.display.SetFanBar(2);
    s.display.Reset();
    const size_t afterReset = s.sink.reports.size();
    s.display.SetFanBar(2);
    EXPECT_EQ(s.sink.reports.size(), afterReset + 20);
    EXPECT_EQ(s.sink.panel.BarLevel(PanelDecoder::Fan), 2);
    s.sink.reports.clear();
    for (int poll = 2; poll <= 21; ++poll) s.display.SetFanBar(2);
    EXPECT_EQ(s.sink.reports.size(), 40u);
    EXPECT_EQ(s.sink.reports.front(), Seg(50, 0));
}

TEST(TavioDisplay, IndicatorsChangeOneBitOrOneCell) {
    TavioScreen s;
    s.display.SetIndicator(11, true);
    s.display.SetIndicator(2, true);
    s.display.SetIndicator(4, true);
    s.display.SetIndicator(2, false);
    s.display.SetIndicator(0, true);
    s.display.SetIndicator(12, false);
    s.display.SetIndicator(13, true);
    s.display.SetIndicator(-1, true);
    EXPECT_EQ(s.sink.reports, (Reports{Seg(16, 0x02), Seg(4, 0x20), Seg(4, 0x28), Seg(4, 0x08), Seg(0, 0x01),
                                       Seg(17, 0x00)}));
}

TEST(TavioDisplay, TextGoesAsAStartAndSixSlicesTwoBytesPerColumn) {
    TavioScreen s;
    s.text.Light(0, 0);
    s.text.Light(125, 8);
    s.text.Light(21, 7);  // first column of slice 1, bottom of its first byte
    s.display.FlushText();
    ASSERT_EQ(s.sink.reports.size(), 7u);
    EXPECT_EQ(s.sink.reports[0], (Bytes{0x00, 0x03, 0x1B, 0x60, 0x00}));
    for (size_t k = 1; k <= 6; ++k) {
        const Bytes& slice = s.sink.reports[k];
        ASSERT_EQ(slice.size(), 53u);
        EXPECT_EQ(Bytes(slice.begin(), slice.begin() + 5), (Bytes{0x00, 0x33, 0x1B, 0x70, 0x2A}));
        EXPECT_EQ(Bytes(slice.end() - 6, slice.end()), Bytes(6, 0));
        Bytes data(slice.begin() + 5, slice.begin() + 47);
        Bytes expected(42, 0);
        if (k == 1) expected[0] = 0x80;
        if (k == 2) expected[0] = 0x01;
        if (k == 6) expected[41] = 0x80;
        EXPECT_EQ(data, expected) << "slice " << k - 1;
    }
    EXPECT_TRUE(s.sink.panel.Pixel(0, 0));
    EXPECT_TRUE(s.sink.panel.Pixel(125, 8));
    EXPECT_TRUE(s.sink.panel.Pixel(21, 7));
    EXPECT_FALSE(s.sink.panel.Pixel(21, 8));
}

}  // namespace
