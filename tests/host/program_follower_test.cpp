// The rule of profiles that follow programs: which profile goes on, when what ran before comes back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/programs/ProgramFollower.h"

namespace {

// One event: 's' start (id, profile, order), 'e' end (id at ms), 'u' the user's change, 't' a tick
// at ms, 'r' the rules changed at ms so that only profile "Fast" still has a usable rule, 'x' off.
struct Event {
    char what;
    uint32_t id = 0;
    const wchar_t* profile = L"";
    uint64_t at = 0;
};

std::wstring Said(const FollowStep& step) {
    switch (step.kind) {
    case FollowStep::Kind::PutProfile: return L"put " + step.profile + (step.keepWhatRan ? L" keep" : L"");
    case FollowStep::Kind::PutBack: return L"back";
    case FollowStep::Kind::Nothing: break;
    }
    return L"";
}

TEST(ProgramFollower, TheFirstStartedDecidesAndWhatRanBeforeComesBackAfterTheGrace) {
    const struct {
        const char* name;
        std::vector<Event> events;
        std::vector<std::wstring> said;
    } cases[] = {
        {"start, end, back after 5 s", {{'s', 1, L"Fast", 10}, {'e', 1, L"", 1000}, {'t', 0, L"", 5999}, {'t', 0, L"", 6000}, {'t', 0, L"", 9000}},
         {L"put Fast keep", L"", L"", L"back", L""}},
        {"two in order, the second waits",
         {{'s', 1, L"Fast", 10}, {'s', 2, L"Quiet", 20}, {'s', 2, L"Quiet", 20}, {'e', 2, L"", 100}, {'e', 1, L"", 200}, {'t', 0, L"", 5200}},
         {L"put Fast keep", L"", L"", L"", L"", L"back"}},
        {"found in any order, the earlier decides", {{'s', 2, L"Quiet", 20}, {'s', 1, L"Fast", 10}},
         {L"put Quiet keep", L"put Fast"}},
        {"the first ends while the other runs",
         {{'s', 1, L"Fast", 10}, {'s', 2, L"Quiet", 20}, {'e', 1, L"", 500}, {'t', 0, L"", 9000}, {'e', 2, L"", 9000}, {'t', 0, L"", 14000}},
         {L"put Fast keep", L"", L"put Quiet", L"", L"", L"back"}},
        {"a restart within 5 s keeps the profile without a write",
         {{'s', 1, L"Fast", 10}, {'e', 1, L"", 1000}, {'s', 3, L"Fast", 30}, {'t', 0, L"", 6000}, {'e', 3, L"", 7000}, {'t', 0, L"", 12000}},
         {L"put Fast keep", L"", L"", L"", L"", L"back"}},
        {"a restart with another profile switches without going back",
         {{'s', 1, L"Fast", 10}, {'e', 1, L"", 1000}, {'s', 3, L"Quiet", 30}, {'t', 0, L"", 6000}},
         {L"put Fast keep", L"", L"put Quiet", L""}},
        {"the user's change while it runs stays, the other's profile does not come",
         {{'s', 1, L"Fast", 10}, {'s', 2, L"Quiet", 20}, {'u'}, {'e', 1, L"", 100}, {'e', 2, L"", 200}, {'t', 0, L"", 9000}, {'s', 4, L"Fast", 40}},
         {L"put Fast keep", L"", L"", L"", L"", L"", L"put Fast keep"}},
        {"the user's change in the grace stays", {{'s', 1, L"Fast", 10}, {'e', 1, L"", 100}, {'u'}, {'t', 0, L"", 9000}},
         {L"put Fast keep", L"", L"", L""}},
        {"a change with nothing followed means nothing", {{'u'}, {'s', 1, L"Fast", 10}}, {L"", L"put Fast keep"}},
        {"an end of a process not followed", {{'e', 7, L"", 100}, {'t', 0, L"", 9000}}, {L"", L""}},
        {"the rule gone: the other's profile, then back",
         {{'s', 1, L"Quiet", 10}, {'s', 2, L"Fast", 20}, {'r', 0, L"", 1000}, {'r', 0, L"", 1500}, {'e', 2, L"", 2000}, {'t', 0, L"", 7000}},
         {L"put Quiet keep", L"", L"put Fast", L"", L"", L"back"}},
        {"turned off: back at once, then forgotten", {{'s', 1, L"Fast", 10}, {'x'}, {'e', 1, L"", 100}, {'t', 0, L"", 9000}, {'x'}},
         {L"put Fast keep", L"back", L"", L"", L""}},
        {"turned off after the user's change", {{'s', 1, L"Fast", 10}, {'u'}, {'x'}}, {L"put Fast keep", L"", L""}},
    };
    for (const auto& c : cases) {
        CProgramFollower follower;
        std::vector<std::wstring> said;
        for (const Event& e : c.events) {
            FollowStep step;
            if (e.what == 's') step = follower.ProcessStarted(e.id, std::wstring(L"C:\\p\\") + e.profile + L".exe", e.profile, e.at);
            if (e.what == 'e') step = follower.ProcessEnded(e.id, e.at);
            if (e.what == 'u') follower.UserChanged();
            if (e.what == 't') step = follower.Tick(e.at);
            if (e.what == 'x') step = follower.Stop();
            if (e.what == 'r')
                step = follower.RulesChanged([](const std::wstring& path) -> std::optional<std::wstring> {
                    if (path.find(L"Fast") == std::wstring::npos) return std::nullopt;
                    return L"Fast";
                }, e.at);
            said.push_back(Said(step));
        }
        EXPECT_EQ(said, c.said) << c.name;
    }
}

TEST(ProgramFollower, NamesTheDecidingProgramOnlyWhileItsProfileRuns) {
    CProgramFollower follower;
    follower.ProcessStarted(2, L"C:\\b.exe", L"Quiet", 20);
    follower.ProcessStarted(1, L"C:\\a.exe", L"Fast", 10);
    EXPECT_EQ(follower.Deciding(), std::wstring(L"C:\\a.exe"));
    follower.ProcessEnded(1, 0);
    follower.ProcessEnded(2, 100);
    EXPECT_EQ(follower.TickDue(), 5100u);
    follower.ProcessStarted(3, L"C:\\a.exe", L"Fast", 30);
    follower.UserChanged();
    EXPECT_EQ(follower.Deciding(), std::nullopt);
}

}  // namespace
