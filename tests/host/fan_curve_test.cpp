// The fan curve: which stored texts make a curve, and the levels its rule sends tick by tick.
#include <gtest/gtest.h>

#include "gpu/FanCurveControl.h"

namespace {

TEST(FanCurve, TakesOnlyTextsThatKeepEveryRule) {
    struct Case {
        const wchar_t* text;
        const wchar_t* parsed;  // null: rejected
    } cases[] = {
        {L"40:30,60:50,75:80,85:100", L"40:30,60:50,75:80,85:100"},
        {L"0:0,120:100", L"0:0,120:100"},
        {L" 30 : 20 , 090:100", L"30:20,90:100"},
        {L"1:1,2:2,3:3,4:4,5:5,6:6,7:7,8:8", L"1:1,2:2,3:3,4:4,5:5,6:6,7:7,8:8"},
        {L"1:1,2:2,3:3,4:4,5:5,6:6,7:7,8:8,9:9", nullptr},  // nine points
        {L"50:50", nullptr},
        {L"", nullptr},
        {L"60:50,40:30", nullptr},    // falling
        {L"40:30,40:50", nullptr},    // not strictly rising
        {L"40:100,90:0", nullptr},    // the fan slows as it heats
        {L"0:0,50:40,120:0", nullptr},
        {L"0:0,120:0", L"0:0,120:0"},  // flat is a choice
        {L"40:30,121:50", nullptr},
        {L"40:30,60:101", nullptr},
        {L"-1:30,60:50", nullptr},
        {L"40:30,60:50,", nullptr},
        {L"40:30;60:50", nullptr},
        {L"40:30,60", nullptr},
        {L"40:30,60:50x", nullptr},
        {L"40:30,60:0000050", nullptr},  // too many digits to be a valid value
        {L"4294967336:30,60:50", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(c.text)));
        const std::optional<CFanCurve> curve = CFanCurve::Parse(c.text);
        ASSERT_EQ(curve.has_value(), c.parsed != nullptr);
        if (curve) EXPECT_EQ(curve->Text(), c.parsed);
    }
}

TEST(FanCurveControl, RisesAtOnceFallsPastTheHysteresisSkipsSmallStepsAndGivesBackAfterFailures) {
    using A = FanCurveStep::Action;
    constexpr int kFailed = -1000;  // a read that failed
    struct Tick {
        int celsius;
        A action;
        int percent;
        bool writeFails = false;
    } ticks[] = {
        {50, A::SetLevel, 40},   // the first reading always sets a level
        {51, A::None, 0},        // 41: one step only
        {52, A::SetLevel, 42},
        {51, A::None, 0},        // down, but not yet 2 below 52
        {50, A::SetLevel, 40},
        {59, A::SetLevel, 49},
        {60, A::SetLevel, 50},   // one step, onto a point's percent
        {90, A::SetLevel, 100},  // flat beyond the last point
        {89, A::None, 0},
        {84, A::SetLevel, 98},
        {kFailed, A::None, 0},
        {121, A::None, 0},       // out of range counts as failed
        {kFailed, A::GiveBack, 0},
        {kFailed, A::None, 0},   // already given back
        {-1, A::None, 0},
        {70, A::SetLevel, 70, true},  // the write fails: the caller gives the fan back
        {70, A::SetLevel, 70},        // and the next good reading takes it again
        {kFailed, A::None, 0},
        {70, A::None, 0},        // a good reading ends the run of failures
        {kFailed, A::None, 0},
        {kFailed, A::None, 0},
        {20, A::SetLevel, 30},   // flat before the first point
    };
    CFanCurveControl control(CFanCurve::Default(), 2);
    int tick = 0;
    for (const Tick& t : ticks) {
        SCOPED_TRACE(testing::Message() << "tick " << tick++ << " at " << t.celsius);
        const FanCurveStep step = control.OnReading(t.celsius == kFailed ? std::nullopt : std::optional<int>(t.celsius));
        EXPECT_EQ(step.action, t.action);
        if (step.action == A::SetLevel) EXPECT_EQ(step.percent, t.percent);
        if (t.writeFails) control.Release();
    }
}

TEST(FanCurveControl, AZeroHysteresisFallsAsSoonAsTheTemperatureDoes) {
    CFanCurveControl control(CFanCurve::Default(), 0);
    control.OnReading(80);  // 90 %
    const FanCurveStep step = control.OnReading(79);
    EXPECT_EQ(step.action, FanCurveStep::Action::SetLevel);
    EXPECT_EQ(step.percent, 88);
}

}  // namespace
