// The controller emulator's decoding of output reports into the screen, and its key reports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/tavio/HexLog.h"
#include "sim/tavio/KeyReports.h"
#include "sim/tavio/PanelDecoder.h"

namespace {

constexpr size_t kLength = 65;

// 00, count, command, zero fill to kLength.
std::vector<uint8_t> Frame(std::vector<uint8_t> command, size_t length = kLength) {
    std::vector<uint8_t> report{0x00, static_cast<uint8_t>(command.size())};
    report.insert(report.end(), command.begin(), command.end());
    report.resize(length, 0);
    return report;
}

void Segment(PanelDecoder& panel, uint8_t address, uint8_t value) { panel.Feed(Frame({0x1B, 0x30, address, value})); }

void Segments(PanelDecoder& panel, uint8_t first, std::vector<uint8_t> values) {
    for (uint8_t value : values) Segment(panel, first++, value);
}

std::vector<uint8_t> Slice(const std::vector<uint8_t>& data42) {
    std::vector<uint8_t> command{0x1B, 0x70, 0x2A};
    command.insert(command.end(), data42.begin(), data42.end());
    command.resize(51, 0);
    return command;
}

TEST(TavioPanelDecoder, ReadsNumberFieldsFromTheirIrregularWiring) {
    PanelDecoder panel(kLength);
    Segments(panel, 4, {0x04, 0x40, 0x04, 0x00, 0x00});
    EXPECT_EQ(panel.Digits(PanelDecoder::Core), "   7");
    EXPECT_EQ(panel.Number(PanelDecoder::Core), 7);

    Segments(panel, 4, {0x03, 0x7C, 0x76, 0x93, 0x00});
    EXPECT_EQ(panel.Number(PanelDecoder::Core), 1234);
    // Core thousands "8" reaches address 8 bit 7; memory "0" fills bits 0 to 3 of the same byte.
    Segments(panel, 4, {0x00, 0x88, 0x88, 0x88, 0x80});
    EXPECT_EQ(panel.Digits(PanelDecoder::Core), "8   ");
    EXPECT_EQ(panel.Number(PanelDecoder::Core), -1);  // the ones digit is dark
    Segments(panel, 8, {0x88, 0x88, 0x08, 0x88});
    EXPECT_EQ(panel.Digits(PanelDecoder::Memory), "   0");
    EXPECT_EQ(panel.Digits(PanelDecoder::Core), "8   ");

    // Shader ones "1" sits in upper right 12.0 and lower right 14.4.
    Segments(panel, 12, {0x01, 0x00, 0x10, 0x00});
    EXPECT_EQ(panel.Number(PanelDecoder::Shader), 1);
    // Shader thousands "7": top 12.1, upper right 13.5, lower right 14.1.
    Segments(panel, 12, {0x03, 0x20, 0x12, 0x00});
    EXPECT_EQ(panel.Digits(PanelDecoder::Shader), "7  1");
    EXPECT_EQ(panel.Number(PanelDecoder::Shader), -1);  // a dark digit between lit ones
    Segment(panel, 13, 0x00);  // thousands keeps only its lower right
    EXPECT_EQ(panel.Digits(PanelDecoder::Shader), "?  1");  // a shape that is no digit
    EXPECT_TRUE(panel.Errors().empty());
}

TEST(TavioPanelDecoder, ReadsLampsAndBarsCountedFromTheTop) {
    PanelDecoder panel(kLength);
    Segment(panel, 0, 0x02);
    Segment(panel, 4, 0x28);   // lamps 2 and 4
    Segment(panel, 8, 0x40);   // lamp 5
    Segment(panel, 12, 0x80);  // lamp 8
    Segment(panel, 16, 0x02);  // lamp 11
    std::vector<int> lit;
    for (int id = 0; id < 14; ++id)
        if (panel.Lamp(id)) lit.push_back(id);
    EXPECT_EQ(lit, (std::vector<int>{1, 2, 4, 5, 8, 11}));

    for (uint8_t cell = 64; cell <= 69; ++cell) Segment(panel, cell, 0x02);
    EXPECT_EQ(panel.BarLevel(PanelDecoder::Fan), 6);
    EXPECT_EQ(panel.BarLevel(PanelDecoder::Temperature), 0);
    Segment(panel, 18, 0x02);  // the bottom cell without the ones above it is no level
    EXPECT_EQ(panel.BarLevel(PanelDecoder::Temperature), -1);
    EXPECT_TRUE(panel.Errors().empty());
}

TEST(TavioPanelDecoder, TakesTheTextLineFromAStartAndSixSlices) {
    PanelDecoder panel(kLength);
    std::vector<uint8_t> first(42, 0), last(42, 0);
    first[0] = 0x80;   // (0, 0)
    first[3] = 0x80;   // (1, 8)
    last[41] = 0x80;   // (125, 8)
    last[40] = 0x01;   // (125, 7)
    panel.Feed(Frame({0x1B, 0x60, 0x00}));
    panel.Feed(Frame(Slice(first)));
    for (int k = 1; k < 5; ++k) panel.Feed(Frame(Slice(std::vector<uint8_t>(42, 0))));
    EXPECT_EQ(panel.TextUpdates(), 0u);  // nothing shows before the sixth slice
    panel.Feed(Frame(Slice(last)));
    EXPECT_EQ(panel.TextUpdates(), 1u);
    EXPECT_TRUE(panel.Errors().empty());
    const std::vector<std::string> rows = panel.TextRows();
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[0], "#" + std::string(125, '.'));
    EXPECT_EQ(rows[7], std::string(125, '.') + "#");
    EXPECT_EQ(rows[8], ".#" + std::string(123, '.') + "#");
    int lit = 0;
    for (const std::string& row : rows)
        for (char ch : row) lit += ch == '#';
    EXPECT_EQ(lit, 4);
}

TEST(TavioPanelDecoder, FollowsResetClearSetupAndExit) {
    PanelDecoder panel(kLength);
    Segment(panel, 50, 0x02);
    panel.Feed(Frame({0x1B, 0x80, 0x57, 0x75}));
    panel.Feed(Frame({0x1F}));
    panel.Feed(Frame({0x1B, 0x40, 0x02, 0x00, 0x00}));
    EXPECT_EQ(panel.CurrentMode(), PanelDecoder::Mode::Running);
    EXPECT_EQ(panel.SetupValue(), 2);
    EXPECT_EQ(panel.SegmentByte(50), 0);
    panel.Feed(Frame({0x1B, 0x80, 0x53, 0x62, 0x6D}));
    EXPECT_EQ(panel.CurrentMode(), PanelDecoder::Mode::Exited);
    EXPECT_TRUE(panel.Errors().empty());
}

TEST(TavioPanelDecoder, RecordsEveryMalformedReportAsAnErrorAndKeepsTheScreen) {
    const std::vector<std::vector<uint8_t>> bad = {
        Frame({0x1B, 0x30, 0x04, 0x04}, 64),               // wrong length
        Frame({0x1B, 0x30, 0x04, 0x04}, 66),
        {},                                                // empty
        [] { auto r = Frame({0x1B, 0x30, 4, 4}); r[0] = 1; return r; }(),  // report id
        [] { auto r = Frame({0x1B, 0x30, 4, 4}); r[1] = 64; return r; }(),  // count beyond the report
        [] { auto r = Frame({0x1B, 0x30, 4, 4}); r[1] = 0; return r; }(),
        [] { auto r = Frame({0x1B, 0x30, 4, 4}); r[64] = 1; return r; }(),  // fill not zero
        Frame({0x1B, 0x31, 0x04, 0x04}),                   // unknown command
        Frame({0x1B, 0x30, 0x04}),                          // short segment write
        Frame({0x1B, 0x30, 0x02, 0x01}),                   // unused address
        Frame({0x1B, 0x30, 0x26, 0x02}),                   // 38: between the bars
        Frame({0x1B, 0x30, 0x46, 0x02}),                   // 70: past the memory
        Frame({0x1B, 0x30, 0x00, 0x04}),                   // address 0 bit 2 lights nothing
        Frame({0x1B, 0x30, 0x0F, 0x01}),                   // address 15 bit 0 lights nothing
        Frame({0x1B, 0x30, 0x10, 0x01}),                   // a cell is 0 or 2
        Frame(Slice(std::vector<uint8_t>(42, 0))),         // slice without text start
        Frame({0x1B, 0x80, 0x57}),                         // half a mode command
    };
    for (const auto& report : bad) {
        PanelDecoder panel(kLength);
        Segments(panel, 4, {0x04, 0x40, 0x04, 0x00, 0x00});
        panel.Feed(report.data(), report.size());
        EXPECT_EQ(panel.Errors().size(), 1u) << "report of " << report.size() << " bytes: " << HexLine(report.data(), 6);
        EXPECT_EQ(panel.Number(PanelDecoder::Core), 7);
        EXPECT_EQ(panel.SegmentWrites().size(), 5u);
    }
}

TEST(TavioPanelDecoder, RecordsBrokenTextTransfersAndKeepsTheOldLine) {
    std::vector<uint8_t> lit(42, 0);
    lit[0] = 0x80;
    std::vector<uint8_t> belowLine(42, 0);
    belowLine[1] = 0x40;  // an odd byte holds only row 8, in bit 7
    std::vector<uint8_t> badMarker = Slice(lit);
    badMarker[2] = 0x2B;
    std::vector<uint8_t> tail = Slice(lit);
    tail[50] = 1;
    const std::vector<std::vector<uint8_t>> firstSlices = {Slice(belowLine), badMarker, tail, {0x1B, 0x30, 4, 4}};
    for (const auto& first : firstSlices) {
        PanelDecoder panel(kLength);
        panel.Feed(Frame({0x1B, 0x60, 0x00}));
        panel.Feed(Frame(first));
        for (int k = 1; k < 6; ++k) panel.Feed(Frame(Slice(lit)));
        EXPECT_GE(panel.Errors().size(), 1u);
        EXPECT_EQ(panel.TextUpdates(), 0u);
        EXPECT_FALSE(panel.Pixel(0, 0));
    }
}

TEST(TavioKeyReports, AreTheKeyBytePaddedToTheInputLength) {
    EXPECT_EQ(KeyReport(PanelKey::Left, 5), (std::vector<uint8_t>{0x00, 0x01, 0x31, 0x00, 0x00}));
    EXPECT_EQ(KeyReport(PanelKey::Middle, 3), (std::vector<uint8_t>{0x00, 0x01, 0x32}));
    EXPECT_EQ(KeyReport(PanelKey::Right, 4), (std::vector<uint8_t>{0x00, 0x01, 0x34, 0x00}));
    EXPECT_EQ(KeyReport(PanelKey::Release, 3), (std::vector<uint8_t>{0x00, 0x01, 0x38}));
    EXPECT_EQ(KeyReport(PanelKey::Release, 65).size(), 65u);
    EXPECT_TRUE(KeyReport(PanelKey::Left, 2).empty());
}

TEST(TavioHexLog, WritesLowerCaseLinesAndReadsThemBack) {
    const uint8_t bytes[] = {0x00, 0x04, 0x1B, 0xAF};
    EXPECT_EQ(HexLine(bytes, 4), "00041baf\n");
    std::vector<uint8_t> read;
    EXPECT_TRUE(ParseHexLine("00041BaF\r\n", read));
    EXPECT_EQ(read, (std::vector<uint8_t>{0x00, 0x04, 0x1B, 0xAF}));
    EXPECT_FALSE(ParseHexLine("0004 1b", read));
    EXPECT_FALSE(ParseHexLine("000", read));
    EXPECT_FALSE(ParseHexLine("0g", read));
}

}  // namespace
