#include <gtest/gtest.h>

#include <utility>

#include "app/StartupRules.h"

namespace {

using StartupRules::LastApplied;
using StartupRules::PlanRestore;

const std::wstring kCard = L"10DE-06C0";
const LastApplied kLast{750, 1100, 1500, 60};

TEST(StartHiddenSwitch, IsSearchedInTheArgumentsOnly) {
    const std::pair<const wchar_t*, bool> lines[] = {
        {L"\"C:\\Program Files\\Oskara.exe\" -s", true},  {L"C:\\Oskara\\Oskara.exe x-sy", true},
        {L"\"C:\\my-stuff\\Oskara.exe\"", false},         {L"C:\\my-stuff\\Oskara.exe", false},
        {L"\"C:\\my-stuff\\Oskara.exe\" -x", false},      {L"C:\\my-stuff\\Oskara.exe\t-s", true},
        {L"\"C:\\unterminated -s", false},                 {L"", false}};
    for (const auto& [line, hidden] : lines) EXPECT_EQ(StartupRules::HasStartHiddenSwitch(line), hidden) << line;
}

TEST(StartRequest, TakesTheFirstNamedProfileAndSearchesSwitchesOutsideIt) {
    struct Case {
        const wchar_t* line;
        bool hidden;
        const wchar_t* profile;  // null: none asked for
    };
    const Case cases[] = {
        {L"Oskara.exe -p Quiet", false, L"Quiet"},
        {L"Oskara.exe -p \"Quiet and cool\" -s", true, L"Quiet and cool"},
        {L"Oskara.exe -p Quiet-s", false, L"Quiet-s"},
        {L"Oskara.exe -p \"Fast -s\"", false, L"Fast -s"},
        {L"Oskara.exe -s -p \"unterminated -s", true, L"unterminated -s"},
        {L"Oskara.exe -p", false, nullptr},
        {L"Oskara.exe -p \"\"", false, nullptr},
        {L"Oskara.exe -p -s", true, nullptr},
        {L"Oskara.exe -p Quiet -p Fast-s", false, L"Quiet"},
        {L"Oskara.exe -p -p Fast", false, L"Fast"},
        {L"\"C:\\my-stuff\\Oskara.exe\" -px", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.line));
        const StartupRules::StartRequest request = StartupRules::ParseStartRequest(c.line);
        EXPECT_EQ(request.startHidden, c.hidden);
        EXPECT_EQ(request.profileName.has_value(), c.profile != nullptr);
        if (c.profile && request.profileName) EXPECT_EQ(*request.profileName, c.profile);
    }
}

TEST(CardChange, NeedsAStoredKeyThatDiffersFromAKnownOne) {
    EXPECT_FALSE(StartupRules::IsCardChange(L"", kCard));            // first run
    EXPECT_FALSE(StartupRules::IsCardChange(kCard, kCard));
    EXPECT_TRUE(StartupRules::IsCardChange(L"10DE-0600", kCard));
    EXPECT_TRUE(StartupRules::IsCardChange(L"10de-06c0", kCard));  // exact comparison
    EXPECT_FALSE(StartupRules::IsCardChange(L"10DE-0600", L""));     // no usable card
}

TEST(RestorePlan, NeedsSameCardRestoreOCExactlyOneAndNoCtrl) {
    EXPECT_TRUE(PlanRestore(kLast, kCard, kCard, 1, false, true).restore);
    EXPECT_FALSE(PlanRestore(kLast, L"", kCard, 1, false, true).restore);   // first run
    EXPECT_FALSE(PlanRestore(kLast, kCard, kCard, 0, false, true).restore);
    EXPECT_FALSE(PlanRestore(kLast, kCard, kCard, 2, false, true).restore);
    EXPECT_FALSE(PlanRestore(kLast, kCard, kCard, 1, true, true).restore);  // Ctrl held
    EXPECT_FALSE(PlanRestore(kLast, L"10DE-0600", kCard, 1, false, true).restore);
    EXPECT_FALSE(PlanRestore(kLast, L"", L"", 1, false, true).restore);    // empty key
}

TEST(RestorePlan, ClocksNeedEveryLastClockButTheFanIsRestoredAnyway) {
    auto plan = PlanRestore(kLast, kCard, kCard, 1, false, true);
    EXPECT_TRUE(plan.setClocks);
    EXPECT_DOUBLE_EQ(plan.core, 750);
    EXPECT_DOUBLE_EQ(plan.memory, 1100);
    EXPECT_DOUBLE_EQ(plan.shader, 1500);
    EXPECT_FALSE(plan.automaticFan);
    EXPECT_EQ(plan.fanPercent, 60);

    plan = PlanRestore({0, 1100, 1500, 60}, kCard, kCard, 1, false, true);
    EXPECT_TRUE(plan.restore);
    EXPECT_FALSE(plan.setClocks);
    EXPECT_EQ(plan.fanPercent, 60);

    EXPECT_FALSE(PlanRestore({750, 1100, 0, 60}, kCard, kCard, 1, false, true).setClocks);
    const auto shaderless = PlanRestore({750, 1100, 0, 60}, kCard, kCard, 1, false, false);
    EXPECT_TRUE(shaderless.setClocks);
    EXPECT_DOUBLE_EQ(shaderless.shader, 0);
    EXPECT_FALSE(PlanRestore({750, 0, 0, 60}, kCard, kCard, 1, false, false).setClocks);
}

TEST(RestorePlan, FanAboveOneHundredMeansAutomatic) {
    auto plan = PlanRestore({750, 1100, 1500, 100}, kCard, kCard, 1, false, true);
    EXPECT_FALSE(plan.automaticFan);
    EXPECT_EQ(plan.fanPercent, 100);
    for (uint32_t fan : {101u, 110u, 255u}) {
        plan = PlanRestore({750, 1100, 1500, fan}, kCard, kCard, 1, false, true);
        EXPECT_TRUE(plan.setFan) << fan;
        EXPECT_TRUE(plan.automaticFan) << fan;
    }
}

TEST(RestorePlan, NothingIsWrittenThatWasNeverStoredOrNoCardCouldRun) {
    // No "LastFan" stored (read as kNoLastFan): the fan is left alone, not fixed at 0 %.
    auto plan = PlanRestore({750, 1100, 1500, StartupRules::kNoLastFan}, kCard, kCard, 1, false, true);
    EXPECT_TRUE(plan.setClocks);
    EXPECT_FALSE(plan.setFan);
    EXPECT_FALSE(PlanRestore({750, 1100, 1500, 256}, kCard, kCard, 1, false, true).setFan);
    EXPECT_TRUE(PlanRestore({750, 1100, 1500, 0}, kCard, kCard, 1, false, true).setFan);

    // 4294967 MHz is the last clock the card's kHz field holds.
    EXPECT_TRUE(PlanRestore({4294967, 1100, 1500, 0}, kCard, kCard, 1, false, true).setClocks);
    for (const StartupRules::LastApplied& last : {StartupRules::LastApplied{4294968, 1100, 1500, 0},
                                                  StartupRules::LastApplied{750, 0xFFFFFFFFu, 1500, 0},
                                                  StartupRules::LastApplied{750, 1100, 4294968, 0}}) {
        plan = PlanRestore(last, kCard, kCard, 1, false, true);
        EXPECT_FALSE(plan.setClocks) << last.core << " " << last.memory << " " << last.shader;
        EXPECT_TRUE(plan.setFan);
    }
}

}  // namespace
