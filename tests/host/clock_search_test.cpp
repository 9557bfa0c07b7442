// The clock scanner's search against the simulated card's clock test, and its settings texts.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "tests/host/gpu_SimHarness.h"
#include "ui/scan/ClockSearch.h"

namespace {

const CardClocks kDefaults{700, 1000, 1400};
const CardClocks kEnds{900, 1300, 1800};
const std::string kLimits = "clocktest limits 800 1100 1500\n";

struct SearchRow {
    std::string name, card;
    CardClocks limit;  // the highest clocks that pass alone (as wanted found: with the ends below)
    CardClocks ends = kEnds;
    bool hasShader = true;
    int fewestStepsBelow = 3, mostStepsBelow = 2;  // the found clocks' range under limit and end
    double crashCore = 0;                          // the machine goes down at this core clock
    bool finds = true;
};

double Mhz(const CardClocks& c, int domain) { return domain == 0 ? c.core : domain == 1 ? c.shader : c.memory; }

struct ScanRun {
    std::vector<CardClocks> requests;
    std::optional<CardClocks> found;
    int passes = 0, sent = 0, crashes = 0;
};

// resume: a request at the crash clock takes the machine down, and the search goes on from its text.
ScanRun Scan(const SearchRow& row, bool resume) {
    auto gpu = BoundControl(row.card);
    const ScanBounds bounds{kDefaults, row.ends, row.hasShader};
    CClockSearch search(bounds);
    ScanRun run;
    while (!search.Done() && run.requests.size() < 500) {
        const CardClocks clocks = search.Next().clocks;
        run.requests.push_back(clocks);
        const bool crashes = row.crashCore > 0 && clocks.core >= row.crashCore;
        if (crashes && resume) {
            search = CClockSearch(bounds, ParseScanState(ScanStateText(search.State())).value());
            search.CountCrashed();
            ++run.crashes;
            continue;
        }
        int passed = 0;
        EXPECT_TRUE(gpu->TestLevelClocks(3, clocks.core, clocks.memory, clocks.shader, passed));
        search.Record(passed == 1 && !crashes);
    }
    run.found = search.Found();
    run.passes = search.FoundPasses();
    run.sent = search.TestsSent();
    return run;
}

}  // namespace

TEST(ClockSearch, FindsClocksJustBelowTheCardsLimitsWithinTheRequestBudget) {
    std::vector<SearchRow> rows = {
        {"limits on the climb's steps", "clocktest limits 780 1080 1480\n", {780, 1080, 1480}},
        {"limits off the steps", "clocktest limits 803 1107 1499\n", {803, 1107, 1499}},
        {"just below a climb's step", "clocktest limits 779 1079 1479\n", {779, 1079, 1479}},
        {"slider ends below the limits", kLimits, {800, 1100, 1500}, {763, 1050, 1400}},
        {"no shader clock", "level 3 0:700000 4:1000000\n" + kLimits, {800, 1100, 1400}, kEnds, false},
        // found alone 790 1080 1490; together the core gives way first
        {"together limit", kLimits + "clocktest together 780 1080 1480\n", {780, 1080, 1480}, kEnds, true, 2, 0},
        {"no combination passes", kLimits + "clocktest together 720 1010 1420\n", {}, kEnds, true, 0, 0, 0, false},
        {"a crash at a step", kLimits, {777, 1100, 1500}, kEnds, true, 3, 2, 778},
    };
    for (int seed = 1; seed <= 6; ++seed)
        rows.push_back({"flips seed " + std::to_string(seed), kLimits + "clocktest flips 0.5 " + std::to_string(seed),
                        {800, 1100, 1500}, kEnds, true, 6, 2});
    for (const SearchRow& row : rows) {
        SCOPED_TRACE(row.name);
        const ScanRun run = Scan(row, true);
        EXPECT_LE(run.sent, std::min(120, CClockSearch::MostTests({kDefaults, row.ends, row.hasShader})));
        EXPECT_EQ(run.sent, static_cast<int>(run.requests.size()));
        EXPECT_EQ(run.crashes, row.crashCore > 0 ? 1 : 0);
        std::map<std::tuple<double, double, double>, int> times;
        for (const CardClocks& c : run.requests) {
            const int raised =
                (c.core != kDefaults.core) + (c.shader != kDefaults.shader) + (c.memory != kDefaults.memory);
            if (raised == 1) ++times[{c.core, c.shader, c.memory}];
            for (int d = 0; d < 3; ++d) {
                EXPECT_GE(Mhz(c, d), Mhz(kDefaults, d));
                EXPECT_LE(Mhz(c, d), d == 1 && !row.hasShader ? Mhz(kDefaults, d) : Mhz(row.ends, d));
            }
        }
        for (const auto& [clocks, count] : times) EXPECT_LE(count, CClockSearch::kTestsPerCandidate);
        ASSERT_EQ(run.found.has_value(), row.finds);
        EXPECT_EQ(run.passes, row.finds ? CClockSearch::kTestsTogether : 0);
        if (!row.finds) continue;
        for (int d = 0; d < 3; ++d) {
            const double step = kScanStepKhz[d] / 1000.0, edge = std::min(Mhz(row.limit, d), Mhz(row.ends, d));
            const double lowest = std::max(edge - row.fewestStepsBelow * step, Mhz(kDefaults, d));
            EXPECT_GE(Mhz(*run.found, d), lowest) << d;
            EXPECT_LE(Mhz(*run.found, d), std::max(edge - row.mostStepsBelow * step, Mhz(kDefaults, d))) << d;
        }
        // Going on after the crash repeats nothing: the same requests as a run where it just failed.
        if (row.crashCore > 0) {
            const ScanRun straight = Scan(row, false);
            ASSERT_EQ(straight.requests.size(), run.requests.size());
            for (size_t i = 0; i < run.requests.size(); ++i)
                EXPECT_EQ(straight.requests[i].core, run.requests[i].core) << i;
        }
    }
}

TEST(ClockSearch, SettingsTextsRoundTripAndRefuseAnythingMalformed) {
    const ScanBounds bounds{kDefaults, kEnds, true};
    CClockSearch search(bounds);
    std::vector<ScanState> states;
    for (int i = 0; !search.Done(); ++i, search.Record(i % 4 != 3))
        if (i % 7 == 0) states.push_back(search.State());
    ASSERT_GT(states.size(), 4u);
    EXPECT_EQ(states.back().domain, ScanDomain::Together);
    for (const ScanState& state : states) {
        const std::wstring text = ScanStateText(state);
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        const std::optional<ScanState> parsed = ParseScanState(text);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(ScanStateText(*parsed), text);
        EXPECT_TRUE(ScanStateFits(*parsed, bounds));
        EXPECT_FALSE(ScanStateFits(*parsed, {kDefaults, kEnds, false}));
    }

    // Fields: version, domain, candidate, steps, climbing, lowest failure, passes, tests, in a row,
    // together try, defaults, ends, shader. The valid one: core climbing at 780 after a pass at 740.
    const std::wstring valid = L"1;core;780000;8;1;0;740000,1400000,1000000;3;0;1;700000,1400000,1000000;"
                               L"900000,1800000,1300000;1";
    ASSERT_TRUE(ParseScanState(valid));
    const std::pair<std::wstring, std::wstring> edits[] = {
        {L"1;core", L"2;core"}, {L"core", L"fan"}, {L"core", L"shader"}, {L"780000", L"785000"},
        {L"780000", L"78x000"}, {L"780000", L"99999999999"}, {L";8;", L";3;"}, {L";8;1;", L";8;2;"},
        {L"740000,1400000", L"740000,1410000"}, {L"740000,1400000,1000000", L"740000,1400000"},
        {L";3;0;", L";-3;0;"}, {L";3;0;1;", L";3;3;1;"}, {L"900000", L"770000"}, {L"1300000;1", L"1300000;1;"},
        {L"1300000;1", L"1300000;"}, {L"1300000;1", L"1300000;1;1"}, {L"780000;8;", L"780000;"}, {valid, L""}};
    for (const auto& [from, to] : edits) {
        std::wstring text = valid;
        EXPECT_FALSE(ParseScanState(text.replace(text.find(from), from.size(), to))) << text.size();
    }

    const LastScan last{{790.5, 1080, 0}, 5, L"2026-12-09 05:10; after a crash", 18250};
    const std::optional<LastScan> back = ParseLastScan(LastScanText(last));
    ASSERT_TRUE(back);
    EXPECT_EQ(LastScanText(*back), LastScanText(last));
    EXPECT_EQ(back->clocks.core, 790.5);
    EXPECT_EQ(back->when, last.when);
    const wchar_t* badLast[] = {L"", L"790000;1080000;0;5;18250", L"0;1080000;0;5;18250;today",
                                L"790000;1080000;0;0;18250;today", L"790000;1080000;0;5;18250;",
                                L"790000;1080000;0;5;-1;today", L"790000;1080000;0;5;18250;to\nday",
                                L"790000;1080000;4294967296;5;18250;today"};
    for (const wchar_t* text : badLast) EXPECT_FALSE(ParseLastScan(text)) << std::wstring(text).size();
    EXPECT_FALSE(ParseLastScan(L"790000;1080000;0;5;18250;" + std::wstring(65, L'x')));
}
