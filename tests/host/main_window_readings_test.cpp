#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <utility>

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

TEST(MemoryClockFactor, FollowsTheMemoryTypeWhenEffectiveClocksAreShownAndCode3WhenUnreadable) {
    MemorySettingsStore store;  // absent: effective clocks are shown
    const int expected[] = {1, 1, 2, 2, 2, 2, 2, 1, 4, 1, 1};
    for (uint32_t code = 0; code < std::size(expected); ++code)
        EXPECT_EQ(FactorFor(store, true, code), expected[code]) << "code " << code;
    EXPECT_EQ(FactorFor(store, true, 0xFFFFFFFF), 1);
    Settings::Write(store, Settings::ShowEffectiveMemClock, 1);
    EXPECT_EQ(FactorFor(store, true, 8), 4);
    EXPECT_EQ(FactorFor(store, false, 8), 2);  // an unreadable type counts as code 3
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
    // {degrees, bitmap height, rows}: a smaller bitmap is never overread.
    const int cases[][3] = {{0, 119, 0},     {1, 119, 0},         {2, 119, 1},  {60, 119, 59},
                            {120, 119, 119}, {200, 119, 119},     {INT32_MAX, 119, 119},
                            {-5, 119, 0},    {INT32_MIN, 119, 0}, {120, 50, 50}, {60, -1, 0}};
    for (const auto& c : cases) EXPECT_EQ(GaugeCopyFor(c[0], c[1]).rows, c[2]) << c[0] << " of " << c[1];
}

TEST(TemperatureGauge, CopiesTheBottomRowsToTheSlotBottom) {
    EXPECT_EQ(GaugeCopyFor(60, 119).destX, 515);
    for (const auto& [degrees, sourceY, destY] : {std::array<int, 3>{60, 60, 155}, {120, 0, 95}, {0, 119, 214}}) {
        EXPECT_EQ(GaugeCopyFor(degrees, 119).sourceY, sourceY) << degrees;
        EXPECT_EQ(GaugeCopyFor(degrees, 119).destY, destY) << degrees;
    }
}

TEST(PollReadings, TavioBarsFillAtOneHundred) {
    for (const auto& [percent, cells] : {std::pair{0, 0}, {4, 0}, {5, 1}, {67, 13}, {100, 20}})
        EXPECT_EQ(TavioBarCells(percent), cells) << percent;
}

TEST(ClockTestZone, TakesLeftAndTopEdgesButNotRightAndBottom) {
    const struct {
        int x, y;
        bool in;
    } points[] = {{300, 259, true},  {270, 259, true},  {359, 282, true}, {300, 258, false},
                  {360, 259, false}, {269, 260, false}, {300, 283, false}};
    for (const auto& p : points) EXPECT_EQ(InClockTestZone(p.x, p.y), p.in) << p.x << "," << p.y;
}

}  // namespace
