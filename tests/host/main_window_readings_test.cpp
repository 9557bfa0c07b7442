#include <gtest/gtest.h>

#include <climits>

#include "MemorySettingsStore.h"
#include "store/Settings.h"
#include "ui/ClockTestZone.h"
#include "ui/MemoryClockFactor.h"
#include "ui/PollReadings.h"
#include "ui/TemperatureGauge.h"

namespace {

// A card whose memory type read gives `code`, or fails; counts the reads.
struct MemoryTypeReader {
    bool readable;
    uint32_t code;
    int calls = 0;
    std::function<bool(uint32_t&)> Fn() {
        return [this](uint32_t& out) {
            ++calls;
            if (readable) out = code;
            return readable;
        };
    }
};

int FactorFor(MemorySettingsStore& store, bool readable, uint32_t code) {
    MemoryTypeReader reader{readable, code};
    return MemoryClockFactor(store, reader.Fn());
}

TEST(MemoryClockFactor, FollowsTheMemoryTypeWhenEffectiveClocksAreShown) {
    MemorySettingsStore store;  // absent: effective clocks are shown
    const int expected[] = {1, 1, 2, 2, 2, 2, 2, 1, 4, 1, 1};
    for (uint32_t code = 0; code < std::size(expected); ++code)
        EXPECT_EQ(FactorFor(store, true, code), expected[code]) << "code " << code;
    EXPECT_EQ(FactorFor(store, true, 0xFFFFFFFF), 1);
    Settings::Write(store, Settings::ShowEffectiveMemClock, 1);
    EXPECT_EQ(FactorFor(store, true, 8), 4);
}

TEST(MemoryClockFactor, AnUnreadableTypeCountsAsCodeThree) {
    MemorySettingsStore store;
    EXPECT_EQ(FactorFor(store, false, 8), 2);
}

TEST(MemoryClockFactor, IsOneWithoutAskingTheCardUnlessTheSettingIsExactlyOne) {
    for (uint32_t setting : {0u, 2u, 0xFFFFFFFFu}) {
        MemorySettingsStore store;
        Settings::Write(store, Settings::ShowEffectiveMemClock, setting);
        MemoryTypeReader reader{true, 3};
        EXPECT_EQ(MemoryClockFactor(store, reader.Fn()), 1) << setting;
        EXPECT_EQ(reader.calls, 0);
    }
}

TEST(TemperatureGauge, FillsAlmostOneRowPerDegreeUpToTheBitmapHeight) {
    EXPECT_EQ(GaugeCopyFor(0, 119).rows, 0);
    EXPECT_EQ(GaugeCopyFor(1, 119).rows, 0);
    EXPECT_EQ(GaugeCopyFor(2, 119).rows, 1);
    EXPECT_EQ(GaugeCopyFor(60, 119).rows, 59);
    EXPECT_EQ(GaugeCopyFor(120, 119).rows, 119);
    EXPECT_EQ(GaugeCopyFor(200, 119).rows, 119);
    EXPECT_EQ(GaugeCopyFor(INT32_MAX, 119).rows, 119);
    EXPECT_EQ(GaugeCopyFor(-5, 119).rows, 0);
    EXPECT_EQ(GaugeCopyFor(INT32_MIN, 119).rows, 0);
    EXPECT_EQ(GaugeCopyFor(120, 50).rows, 50);  // a smaller bitmap is never overread
    EXPECT_EQ(GaugeCopyFor(60, -1).rows, 0);
}

TEST(TemperatureGauge, CopiesTheBottomRowsToTheSlotBottom) {
    const GaugeCopy sixty = GaugeCopyFor(60, 119);
    EXPECT_EQ(sixty.sourceY, 60);
    EXPECT_EQ(sixty.destX, 515);
    EXPECT_EQ(sixty.destY, 155);
    const GaugeCopy full = GaugeCopyFor(120, 119);
    EXPECT_EQ(full.sourceY, 0);
    EXPECT_EQ(full.destY, 95);
    const GaugeCopy empty = GaugeCopyFor(0, 119);
    EXPECT_EQ(empty.sourceY, 119);
    EXPECT_EQ(empty.destY, 214);
}

TEST(PollReadings, TavioBarsFillAtOneHundred) {
    EXPECT_EQ(TavioBarCells(0), 0);
    EXPECT_EQ(TavioBarCells(4), 0);
    EXPECT_EQ(TavioBarCells(5), 1);
    EXPECT_EQ(TavioBarCells(67), 13);
    EXPECT_EQ(TavioBarCells(100), 20);
}

TEST(ClockTestZone, TakesLeftAndTopEdgesButNotRightAndBottom) {
    EXPECT_TRUE(InClockTestZone(300, 259));
    EXPECT_TRUE(InClockTestZone(270, 259));
    EXPECT_TRUE(InClockTestZone(359, 282));
    EXPECT_FALSE(InClockTestZone(300, 258));
    EXPECT_FALSE(InClockTestZone(360, 259));
    EXPECT_FALSE(InClockTestZone(269, 260));
    EXPECT_FALSE(InClockTestZone(300, 283));
}

}  // namespace
