// The crash guard's rules: what marks a session and what a start does with the mark.
#include <gtest/gtest.h>

#include "ui/CrashGuard.h"

namespace {

using CrashGuard::Start;

TEST(CrashGuard, OnlyAMarkOrTwoKnownDifferentDriversStopTheRestoreWhileTheGuardIsOn) {
    const struct {
        bool guardOn, markFound;
        uint32_t lastDriver, driverNow;
        Start start;
    } cases[] = {
        {true, false, 0, 0, Start::AsUsual},          {true, false, 53112, 53112, Start::AsUsual},
        {true, true, 53112, 53112, Start::AfterCrash}, {true, true, 53112, 54000, Start::AfterCrash},
        {true, false, 53112, 54000, Start::AfterDriverChange},
        {true, false, 0, 54000, Start::AsUsual},      {true, false, 53112, 0, Start::AsUsual},
        {false, true, 53112, 54000, Start::AsUsual},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.guardOn << c.markFound << " " << c.lastDriver << " " << c.driverNow);
        EXPECT_EQ(CrashGuard::AtStart(c.guardOn, c.markFound, c.lastDriver, c.driverNow), c.start);
    }
}

TEST(CrashGuard, AnyWholeMegahertzAboveADefaultIsAnOverclock) {
    const CardClocks defaults{700, 1000, 1400};
    EXPECT_FALSE(CrashGuard::AboveDefaults(defaults, defaults));
    EXPECT_FALSE(CrashGuard::AboveDefaults({650, 900.9, 1400.5}, defaults));
    EXPECT_TRUE(CrashGuard::AboveDefaults({701, 1000, 1400}, defaults));
    EXPECT_TRUE(CrashGuard::AboveDefaults({700, 1001, 1400}, defaults));
    EXPECT_TRUE(CrashGuard::AboveDefaults({600, 900, 1401}, defaults));
}

}  // namespace
