// Random output reports fed to the controller emulator: recorded as errors, never a crash or a read out of bounds.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "sim/tavio/PanelDecoder.h"

namespace {

TEST(TavioPanelDecoderFuzz, RandomReportsLeaveAReadableScreen) {
    std::mt19937 random(4321);
    PanelDecoder panel(65);
    size_t accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        // Lengths around the right one; bytes biased towards the command letters so that many
        // reports get past the frame into the commands.
        const size_t length = random() % 4 ? 65 : random() % 130;
        std::unique_ptr<uint8_t[]> report(new uint8_t[length ? length : 1]);
        const uint8_t letters[] = {0x00, 0x1B, 0x30, 0x40, 0x60, 0x70, 0x2A, 0x80, 0x1F, 0x02};
        for (size_t i = 0; i < length; ++i)
            report[i] = random() % 2 ? letters[random() % 10] : static_cast<uint8_t>(random());
        if (length > 1 && random() % 2) report[0] = 0;
        if (length > 2 && random() % 2) report[1] = static_cast<uint8_t>(1 + random() % 6);
        if (length > 4 && random() % 2) {
            report[2] = 0x1B;
            report[3] = letters[2 + random() % 6];
        }
        // Mostly a clean zero fill after the command.
        if (length > 2 && random() % 4)
            for (size_t i = 2 + size_t{report[1]}; i < length; ++i) report[i] = 0;
        const size_t errors = panel.Errors().size();
        panel.Feed(report.get(), length);
        // At most the cut-off text transfer and the report itself.
        ASSERT_LE(panel.Errors().size(), errors + 2);
        accepted += panel.Errors().size() == errors;
    }
    EXPECT_GT(accepted, 10u) << "the loop should reach the commands, not only the frame checks";
    for (PanelDecoder::Field field : {PanelDecoder::Core, PanelDecoder::Memory, PanelDecoder::Shader})
        EXPECT_EQ(panel.Digits(field).size(), 4u);
    for (PanelDecoder::Bar bar : {PanelDecoder::Temperature, PanelDecoder::Fan}) {
        EXPECT_GE(panel.BarLevel(bar), -1);
        EXPECT_LE(panel.BarLevel(bar), 20);
    }
    EXPECT_EQ(panel.TextRows().size(), 9u);
    EXPECT_EQ(panel.Reports(), 20000u);
}

}  // namespace
