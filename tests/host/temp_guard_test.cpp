// The temperature guard's rule: when a run of polls trips it, and when it arms again.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "ui/OptionsValues.h"
#include "ui/TempGuard.h"

namespace {

struct Poll {
    std::optional<int> celsius;
    bool raised;
    uint64_t ms;
    bool trips;
};

constexpr std::nullopt_t failed = std::nullopt;

TEST(TempGuard, TripsOncePerExcursionAndArmsAfterAMinuteWellBelowTheLimit) {
    const struct {
        const char* name;
        std::vector<Poll> polls;
    } cases[] = {
        {"two hot polls", {{89, true, 0, false}, {90, true, 3000, false}, {95, true, 6000, true}}},
        {"a cool poll between", {{90, true, 0, false}, {89, true, 3000, false}, {90, true, 6000, false}}},
        {"defaults only", {{99, false, 0, false}, {99, false, 3000, false}, {99, true, 6000, true}}},
        {"three failed reads", {{failed, true, 0, false}, {failed, true, 3000, false}, {failed, true, 6000, true}}},
        {"a read between", {{failed, true, 0, false}, {failed, true, 3000, false}, {70, true, 6000, false},
                            {failed, true, 9000, false}, {failed, true, 12000, false}}},
        {"once per excursion", {{90, true, 0, false}, {90, true, 3000, true}, {90, true, 6000, false},
                                {79, true, 9000, false}, {90, true, 12000, false}, {90, true, 15000, false}}},
        {"armed after the minute", {{90, true, 0, false}, {90, true, 3000, true}, {79, true, 6000, false},
                                    {79, true, 66000, false}, {90, true, 69000, false}, {90, true, 72000, true}}},
        {"not quite a minute", {{90, true, 0, false}, {90, true, 3000, true}, {79, true, 6000, false},
                                {79, true, 65999, false}, {90, true, 69000, false}, {90, true, 72000, false}}},
        {"warm restarts the minute", {{90, true, 0, false}, {90, true, 3000, true}, {79, true, 6000, false},
                                      {80, true, 30000, false}, {79, true, 33000, false},
                                      {79, true, 66000, false}, {90, true, 69000, false}, {90, true, 72000, false}}},
        {"failed read restarts it", {{90, true, 0, false}, {90, true, 3000, true}, {79, true, 6000, false},
                                     {failed, true, 30000, false}, {79, true, 33000, false},
                                     {79, true, 66000, false}, {90, true, 69000, false}, {90, true, 72000, false}}},
    };
    for (const auto& c : cases) {
        CTempGuard guard(90);
        for (size_t i = 0; i < c.polls.size(); ++i) {
            const Poll& p = c.polls[i];
            EXPECT_EQ(guard.OnPoll(p.celsius, p.raised, p.ms), p.trips) << c.name << ", poll " << i;
        }
    }
}

TEST(TempGuard, OnlyALimitFromSixtyToOneHundredTenTurnsItOn) {
    const struct {
        uint32_t stored;
        std::optional<int> limit;
    } cases[] = {{0, std::nullopt}, {1, std::nullopt}, {59, std::nullopt}, {60, 60}, {90, 90},
                 {110, 110}, {111, std::nullopt}, {0xFFFFFFFF, std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(CTempGuard::LimitOf(c.stored), c.limit) << c.stored;
    const struct {
        bool on;
        const wchar_t* typed;
        uint32_t stored;
    } typed[] = {{false, L"95", 0}, {true, L"95", 95}, {true, L"59", 60}, {true, L"4000000000", 110},
                 {true, L"", 90}, {true, L"9x", 90}};
    for (const auto& t : typed) EXPECT_EQ(TempGuardToStore(t.on, t.typed), t.stored) << t.typed;
}

}  // namespace
