// The controller's text line drawn by GDI into real pixels, sent as reports and read back by the emulator.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "sim/tavio/PanelDecoder.h"
#include "tavio/Display.h"
#include "tavio/TextSurfaceGdi.h"

namespace {

struct DecodingSink : ReportSink {
    PanelDecoder panel{64};
    bool WriteReport(const uint8_t* bytes, size_t length) override {
        std::vector<uint8_t> report(bytes, bytes + length);
        report.resize(64, 0);
        panel.Feed(report);
        return true;
    }
    size_t OutputReportLength() const override { return 64; }
};

struct Columns {
    int first = -1, last = -1;
};

// The lit columns of the decoded line between two x positions.
Columns LitBetween(const PanelDecoder& panel, int from, int to) {
    Columns columns;
    for (int x = from; x <= to; ++x) {
        for (int y = 0; y < PanelDecoder::kTextHeight; ++y) {
            if (!panel.Pixel(x, y)) continue;
            if (columns.first < 0) columns.first = x;
            columns.last = x;
        }
    }
    return columns;
}

TEST(TavioTextSurface, MainMenuLabelsReachTheEmulatorCentredOnTheirKeys) {
    CGdiTextSurface surface;
    ASSERT_TRUE(surface.IsReady());
    DecodingSink sink;
    CTavioDisplay display(sink, surface);
    display.ClearText();
    display.DrawText(15, L"Set");
    display.DrawText(62, L"Profiles");
    display.DrawText(107, L"Defaults");
    display.FlushText();
    ASSERT_TRUE(sink.panel.Errors().empty());
    ASSERT_EQ(sink.panel.TextUpdates(), 1u);

    const std::vector<uint8_t> pixels = surface.Pixels();
    int lit = 0;
    for (int y = 0; y < PanelDecoder::kTextHeight; ++y) {
        for (int x = 0; x < PanelDecoder::kTextWidth; ++x) {
            EXPECT_EQ(sink.panel.Pixel(x, y), pixels[y * PanelDecoder::kTextWidth + x] != 0) << x << "," << y;
            lit += sink.panel.Pixel(x, y);
        }
    }
    EXPECT_GT(lit, 40);

    // Each label is one group of columns around its key, with dark gaps between them.
    const int centres[] = {15, 62, 107};
    const Columns groups[] = {LitBetween(sink.panel, 0, 38), LitBetween(sink.panel, 39, 84),
                              LitBetween(sink.panel, 85, 125)};
    for (int i = 0; i < 3; ++i) {
        ASSERT_GE(groups[i].first, 0) << "label " << i << " is dark";
        EXPECT_NEAR((groups[i].first + groups[i].last) / 2.0, centres[i], 2.0) << "label " << i;
    }
    EXPECT_LT(groups[0].last - groups[0].first, groups[1].last - groups[1].first) << "\"Set\" is the shortest";
    // The small raster face: a larger fallback face would run "Defaults" into the middle label.
    EXPECT_LT(groups[2].last - groups[2].first, 40);

    display.ClearText();
    display.FlushText();
    EXPECT_EQ(LitBetween(sink.panel, 0, 125).first, -1);
}

TEST(TavioTextSurface, TextSitsOnTheBottomEdgeInNinePixels) {
    CGdiTextSurface surface;
    ASSERT_TRUE(surface.IsReady());
    surface.Clear();
    surface.DrawCentred(62, L"HIH");
    const std::vector<uint8_t> pixels = surface.Pixels();
    std::vector<int> litRows;
    for (int y = 0; y < TextSurface::kHeight; ++y) {
        int count = 0;
        for (int x = 0; x < TextSurface::kWidth; ++x) count += pixels[y * TextSurface::kWidth + x];
        if (count) litRows.push_back(y);
    }
    ASSERT_FALSE(litRows.empty());
    // Capitals stand on the baseline with the descent below: they fill rows without a gap, and
    // their top is well inside the line, not cut off.
    EXPECT_EQ(litRows.back() - litRows.front() + 1, static_cast<int>(litRows.size()));
    EXPECT_GE(litRows.size(), 5u);
    EXPECT_LE(litRows.back(), 7) << "the descent stays below the capitals";
}

}  // namespace
