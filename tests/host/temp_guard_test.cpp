// The temperature guard's rule: when a run of polls trips it, when it arms again, and its limit.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "ui/OptionsValues.h"
#include "ui/TempGuard.h"

namespace {

constexpr std::nullopt_t failed = std::nullopt;

TEST(TempGuard, TripsOncePerExcursionAndArmsAfterAMinuteWellBelowTheLimit) {
    struct Poll { std::optional<int> celsius; uint64_t ms; bool raised = true; };
    const struct {
        const char* name;
        std::vector<Poll> polls;
        std::vector<size_t> trips;
    } cases[] = {
        {"two hot polls in a row", {{89, 0}, {90, 3000}, {89, 6000}, {90, 9000}, {95, 12000}}, {4}},
        {"hot at the defaults first", {{99, 0, false}, {99, 3000, false}, {99, 6000}}, {2}},
        {"three failed reads", {{failed, 0}, {failed, 3000}, {70, 6000}, {failed, 9000}, {failed, 12000}, {failed, 15000}}, {5}},
        {"once, then a cool minute",
         {{90, 0}, {90, 3000}, {90, 6000}, {79, 9000}, {90, 12000}, {79, 15000}, {79, 75000}, {90, 78000}, {90, 81000}},
         {1, 8}},
        {"a warm or failed read restarts the minute",
         {{90, 0}, {90, 3000}, {79, 6000}, {80, 30000}, {79, 33000}, {failed, 40000}, {79, 43000}, {79, 102999},
          {90, 104000}, {90, 105000}},
         {1}},
    };
    for (const auto& c : cases) {
        CTempGuard guard(90);
        std::vector<size_t> trips;
        for (size_t i = 0; i < c.polls.size(); ++i)
            if (guard.OnPoll(c.polls[i].celsius, c.polls[i].raised, c.polls[i].ms)) trips.push_back(i);
        EXPECT_EQ(trips, c.trips) << c.name;
    }
}

TEST(TempGuard, OnlyALimitFromSixtyToOneHundredTenTurnsItOn) {
    for (uint32_t stored : {0u, 1u, 59u, 111u, 0xFFFFFFFFu}) EXPECT_EQ(CTempGuard::LimitOf(stored), std::nullopt) << stored;
    for (uint32_t stored : {60u, 90u, 110u}) EXPECT_EQ(CTempGuard::LimitOf(stored), static_cast<int>(stored));
    const struct { bool on; const wchar_t* typed; uint32_t stored; } typed[] = {{false, L"95", 0}, {true, L"95", 95}, {true, L"59", 60}, {true, L"4000000000", 110}, {true, L"", 90}, {true, L"9x", 90}};
    for (const auto& t : typed) EXPECT_EQ(TempGuardToStore(t.on, t.typed), t.stored) << t.typed;
}

}  // namespace
