#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <utility>

#include "ui/ClockCoupling.h"
#include "ui/SliderRange.h"
#include "ui/ValueLabels.h"

// Found by argument lookup, so it must sit beside SliderRange.
static void PrintTo(const SliderRange& range, std::ostream* os) { *os << range.min << ".." << range.max; }

namespace {

TEST(ClockSliderRange, SpansHalfToOnePointThreeThreeOfTheDefaultTruncated) {
    EXPECT_EQ(ClockSliderRange(700), (SliderRange{350, 931}));
    EXPECT_EQ(ClockSliderRange(701), (SliderRange{350, 932}));     // 350.5 and 932.33
    EXPECT_EQ(ClockSliderRange(1000 * 2), (SliderRange{1000, 2660}));  // memory shown doubled
    EXPECT_EQ(ClockSliderRange(2000 * 4), (SliderRange{4000, 10640}));
    EXPECT_EQ(ClockSliderRange(1000.5), (SliderRange{500, 1330}));
    EXPECT_EQ(ClockSliderRange(0), (SliderRange{0, 0}));  // the default could not be read
    EXPECT_EQ(ClockSliderRange(1e12), (SliderRange{INT_MAX, INT_MAX}));
    EXPECT_EQ(kFanSliderRange, (SliderRange{0, 110}));
}

TEST(ClockSliderGrowth, PushingPastNinetyFivePercentRaisesTheMaximumUpToTwiceTheDefault) {
    const SliderRange core{350, 931};  // 0.95 x 931 = 884.45
    const int ceiling = ClockRangeCeiling(700);
    EXPECT_EQ(GrownClockRange(core, 884, ceiling), core);
    EXPECT_EQ(GrownClockRange(core, 885, ceiling), (SliderRange{350, 1194}));  // 1194.75
    SliderRange grown = GrownClockRange(core, 931, ceiling);
    EXPECT_EQ(grown, (SliderRange{350, 1256}));
    grown = GrownClockRange(grown, grown.max, ceiling);
    EXPECT_EQ(grown, (SliderRange{350, 1400}));
    EXPECT_EQ(GrownClockRange({350, 5000}, 5000, ceiling), (SliderRange{350, 5000}));  // held, never shrunk
    EXPECT_EQ(RangeHolding({350, 931}, 1300, ceiling), (SliderRange{350, 1400}));
    // Exactly 95 % is not past it.
    EXPECT_EQ(GrownClockRange({0, 20}, 19, 40), (SliderRange{0, 20}));
    EXPECT_EQ(GrownClockRange({0, INT_MAX}, INT_MAX, ClockRangeCeiling(1e12)), (SliderRange{0, INT_MAX}));
}

TEST(ClockSliderGrowth, RestingOnAMinimumAboveZeroLowersIt) {
    EXPECT_EQ(GrownClockRange({350, 931}, 350, 1400), (SliderRange{262, 931}));  // 262.5
    EXPECT_EQ(GrownClockRange({262, 931}, 262, 1400), (SliderRange{196, 931}));
    EXPECT_EQ(GrownClockRange({1, 931}, 1, 1400), (SliderRange{0, 931}));
    EXPECT_EQ(GrownClockRange({350, 931}, 351, 1400), (SliderRange{350, 931}));
    EXPECT_EQ(GrownClockRange({0, 931}, 0, 1400), (SliderRange{0, 931}));
    // A range of one value grows at both ends; one that could not be read stays put.
    EXPECT_EQ(GrownClockRange({100, 100}, 100, 200), (SliderRange{75, 135}));
    EXPECT_EQ(GrownClockRange({0, 0}, 0, 0), (SliderRange{0, 0}));
}

TEST(CoreShaderCoupling, ATiedPairGrowsOnlyAsFarAsBothCanStayTwoToOne) {
    const auto ceilings = [](double shader, std::optional<uint16_t> device) {
        const ClockCeilings c = ClockRangeCeilings(700, 2000, shader, device);
        return std::tuple{c.core, c.memory, c.shader, c.tied};
    };
    EXPECT_EQ(ceilings(1400, 0x06C0), std::tuple(1400, 4000, 2800, true));
    EXPECT_EQ(ceilings(1500, 0x06C8), std::tuple(1400, 4000, 2800, true));
    EXPECT_EQ(ceilings(1200, 0x06C0), std::tuple(1200, 4000, 2400, true));
    EXPECT_EQ(ceilings(1200, 0x0402), std::tuple(1400, 4000, 2400, false));
    EXPECT_EQ(ceilings(1200, std::nullopt), std::tuple(1400, 4000, 2400, false));
    EXPECT_EQ(ceilings(0, 0x06C0), std::tuple(1400, 4000, 0, false));  // no shader clock to tie
}

TEST(CoreShaderCoupling, LinksOnlyTheTwoDevicesAtTwiceTheCoreClock) {
    for (const auto& [device, tied] : {std::pair{0x06C0, true}, {0x06C8, true}, {0x06C1, false}, {0x0600, false}, {0x10DE, false}})
        EXPECT_EQ(CouplesCoreAndShader(static_cast<uint16_t>(device)), tied) << std::hex << device;
    EXPECT_EQ(ShaderForCore(701), 1402);
    EXPECT_EQ(CoreForShader(1401), 700);
    EXPECT_EQ(CoreForShader(1), 0);
    EXPECT_EQ(ShaderForCore(INT_MAX), INT_MAX);
}

TEST(ValueLabels, ShowMegahertzPercentOrAWord) {
    const std::pair<std::wstring, std::wstring> labels[] = {
        {ClockLabel(700), L"700 MHz"}, {ClockLabel(0), L"0 MHz"}, {ShaderLabel(1402), L"1402 MHz"}, {ShaderLabel(0), L"N/A"},
        {FanLabel(0), L"0 %"},         {FanLabel(100), L"100 %"}, {FanLabel(101), L"Auto"},         {FanLabel(110), L"Auto"},
        {TemperatureLabel(67), L"67"}, {TemperatureLabel(0), L"0"}};
    for (const auto& [shown, expected] : labels) EXPECT_EQ(shown, expected);
}

}  // namespace
