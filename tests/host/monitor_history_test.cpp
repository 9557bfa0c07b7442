// The monitor's history ring, its graph scales and the samples it is made of.
#include <gtest/gtest.h>

#include <cmath>

#include "monitor/GraphScale.h"
#include "monitor/History.h"

namespace {

TEST(MonitorHistory, KeepsTheNewestSamplesOldestFirst) {
    MonitorHistory history;
    for (uint32_t s = 0; s < 3; ++s) history.Add(MakeSample(s, 50, 0, 0, 0, 0, false, FanMode::Fixed));
    ASSERT_EQ(history.Size(), 3u);
    EXPECT_EQ(history.At(0).second, 0u);
    EXPECT_EQ(history.Newest().second, 2u);

    const uint32_t total = MonitorHistory::kCapacity + 5;
    for (uint32_t s = 3; s < total; ++s) history.Add(MakeSample(s, 50, 0, 0, 0, 0, false, FanMode::Fixed));
    ASSERT_EQ(history.Size(), MonitorHistory::kCapacity);
    for (size_t i : {size_t{0}, size_t{1}, MonitorHistory::kCapacity / 2, MonitorHistory::kCapacity - 1})
        EXPECT_EQ(history.At(i).second, i + 5) << "index " << i;
}

TEST(MonitorSample, HoldsReadingsToWhatItCanStore) {
    const MonitorSample wild = MakeSample(9, 5000, std::nan(""), 70000.9, -3, 150, true, FanMode::Curve);
    EXPECT_EQ(wild.temperature, 999);
    EXPECT_EQ(wild.core, 0);
    EXPECT_EQ(wild.memory, 65535);
    EXPECT_EQ(wild.shader, 0);
    EXPECT_EQ(wild.fan, 100);
    EXPECT_EQ(MakeSample(9, 61, 650.9, 1800, 1500, 45, false, FanMode::Fixed).fan, -1);
    EXPECT_EQ(MakeSample(9, 61, 650.9, 1800, 1500, 45, false, FanMode::Fixed).core, 650);
}

TEST(GraphScale, ClocksGetAMarginOnWholeSteps) {
    struct Case {
        int lowest, highest;
        ValueScale expected;
    } const cases[] = {
        {650, 650, {600, 700}},   // one steady clock: the least margin
        {600, 1500, {500, 1600}}, // a tenth of the spread on either side
        {10, 20, {0, 50}},        // never below 0
        {INT32_MAX, 0, {0, 100}}, // no clock at all
        {0, 0, {0, 100}},
    };
    for (const Case& c : cases) {
        const ValueScale got = ClockScale(c.lowest, c.highest);
        EXPECT_EQ(got.low, c.expected.low) << c.lowest << ".." << c.highest;
        EXPECT_EQ(got.high, c.expected.high) << c.lowest << ".." << c.highest;
    }
}

TEST(GraphScale, ValuesMapToRowsInsideThePlot) {
    struct Case {
        int value;
        ValueScale scale;
        int height, row;
    } const cases[] = {
        {0, kTemperatureScale, 121, 120},   {120, kTemperatureScale, 121, 0}, {60, kTemperatureScale, 121, 60},
        {150, kTemperatureScale, 121, 0},   {-5, kTemperatureScale, 121, 120}, {50, kFanScale, 1, 0},
        {50, kFanScale, 0, 0},              {75, {50, 50}, 10, 9},
    };
    for (const Case& c : cases) EXPECT_EQ(RowOf(c.value, c.scale, c.height), c.row) << c.value << " in " << c.height;
}

TEST(GraphScale, SecondsFallInFixedColumns) {
    EXPECT_EQ(ColumnOf(3600, 600, 3600), 600);
    EXPECT_EQ(ColumnOf(59, 600, 60), 590);
    EXPECT_EQ(ColumnOf(4000000000u, 1000, 60), 66666666666);
    EXPECT_EQ(ColumnOf(59, 0, 60), 0);
    EXPECT_EQ(ColumnOf(59, 600, 0), 0);
}

TEST(GraphScale, AStoredSpanThatIsNoChoiceGivesFiveMinutes) {
    const std::pair<uint32_t, int> cases[] = {{1, 0}, {5, 1}, {15, 2}, {60, 3}, {0, 1}, {7, 1}, {0xFFFFFFFFu, 1}};
    for (const auto& [stored, index] : cases) EXPECT_EQ(SpanIndex(stored), index) << stored;
}

}  // namespace
