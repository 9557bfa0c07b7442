// Program rules: which rule names a running program, what is wrong with a rule, and the rules'
// load from registry values of any kind.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/host/MemorySettingsStore.h"
#include "ui/programs/ProgramRuleStore.h"

namespace {

TEST(ProgramRules, ARuleNamesTheProgramsOfItsFileNameOrBelowItsFolderByWholeComponents) {
    const struct {
        const wchar_t *program, *image;
        bool matches;
    } cases[] = {
        {L"game.exe", L"C:\\Games\\x\\game.exe", true},
        {L"GAME.EXE", L"c:\\games\\x\\Game.Exe", true},
        {L"game.exe", L"C:\\Games\\x\\mygame.exe", false},
        {L"game.exe", L"C:\\game.exe\\other.exe", false},
        {L"game", L"C:\\Games\\game.exe", false},
        {L"game.exe", L"game.exe", true},
        {L"\u00e9t\u00e9.exe", L"D:\\\u00c9T\u00c9.EXE", true},
        {L"\u0434\u0438\u0441\u043a", L"D:\\\u0414\u0418\u0421\u041a", true},
        {L"stra\u00dfe.exe", L"D:\\STRASSE.EXE", false},
        {L"C:\\Games", L"C:\\Games\\x\\game.exe", true},
        {L"C:\\Games", L"C:\\Games\\game.exe", true},
        {L"C:\\Games", L"C:\\Games2\\a.exe", false},
        {L"C:\\Games", L"C:\\Games", false},
        {L"C:\\Games", L"D:\\Games\\a.exe", false},
        {L"C:\\Games\\", L"C:\\Games\\a.exe", true},
        {L"c:/games/", L"C:\\GAMES\\a.exe", true},
        {L"C:\\Games", L"C:/Games//x/a.exe", true},
        {L"C:\\Games", L"\\\\?\\C:\\Games\\a.exe", true},
        {L"C:\\", L"C:\\a.exe", true},
        {L"C:\\\u00c9t\u00e9", L"C:\\\u00e9t\u00e9\\a.exe", true},
        {L"\\\\server\\share", L"\\\\SERVER\\share\\x\\a.exe", true},
        {L"\\\\server\\share", L"\\\\?\\UNC\\server\\share\\a.exe", true},
        {L"\\\\server\\share", L"\\\\server\\share2\\a.exe", false},
        {L"\\\\server\\share", L"C:\\server\\share\\a.exe", false},
        {L"", L"C:\\a.exe", false},
        {L"game.exe", L"", false},
        {L"\\", L"\\a.exe", false},
        {L"Games\\x", L"C:\\Games\\x\\a.exe", false},
        {L"a?.exe", L"C:\\a?.exe", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RuleMatches(c.program, c.image), c.matches) << testing::PrintToString(std::wstring(c.program))
                                                               << " " << testing::PrintToString(std::wstring(c.image));

    const std::vector<ProgramRule> rules{{L"C:\\Other", L"a"}, {L"game.exe", L"b"}, {L"C:\\Games", L"c"}};
    EXPECT_EQ(MatchingRule(rules, L"C:\\Games\\game.exe"), 1u);
    EXPECT_EQ(MatchingRule(rules, L"C:\\Games\\other.exe"), 2u);
    EXPECT_EQ(MatchingRule(rules, L"C:\\Elsewhere\\other.exe"), std::nullopt);
}

TEST(ProgramRules, FaultyProgramsAreRefusedAndStoredOnesListedGreyed) {
    const std::vector<ProgramRule> others{{L"C:\\Games", L"Fast"}, {L"game.exe", L"Fast"}};
    const struct {
        std::wstring program;
        RuleFault fault;
    } checks[] = {
        {L"", RuleFault::Empty}, {L"   ", RuleFault::Empty}, {std::wstring(261, L'a'), RuleFault::TooLong},
        {std::wstring(260, L'a'), RuleFault::None}, {L"a<b.exe", RuleFault::BadCharacters},
        {L"a|b", RuleFault::BadCharacters}, {L"a\"b", RuleFault::BadCharacters}, {L"a*", RuleFault::BadCharacters},
        {L"a\tb", RuleFault::BadCharacters}, {L"C:game.exe", RuleFault::BadCharacters},
        {L"C:\\a:b", RuleFault::BadCharacters}, {L"Games\\x", RuleFault::BadCharacters},
        {L"\\Games", RuleFault::BadCharacters}, {L"\\\\server", RuleFault::BadCharacters},
        {L"\\\\server\\", RuleFault::BadCharacters}, {L"1:\\x", RuleFault::BadCharacters},
        {L"c:/games/", RuleFault::Duplicate}, {L"GAME.exe", RuleFault::Duplicate},
        {L"C:\\Games2", RuleFault::None}, {L"\\\\server\\share", RuleFault::None}, {L"D:\\", RuleFault::None},
    };
    for (const auto& c : checks)
        EXPECT_EQ(CheckRuleProgram(c.program, others), c.fault) << testing::PrintToString(c.program);

    MemorySettingsStore store;
    auto& values = store.sections[kProgramRulesSection];
    values[L"a.exe"] = std::wstring(L"Fast");
    values[L"b.exe"] = 7u;
    values[L"c.exe"] = std::wstring(L"Gone");
    values[L"d|.exe"] = std::wstring(L"Fast");
    values[L"e:\\x"] = std::wstring(L"Fast");
    values[L"e:\\x\\"] = std::wstring(L"Fast");
    values[L"g.exe"] = std::wstring(L"");
    for (int i = 0; i < 31; ++i) values[L"h" + std::to_wstring(100 + i)] = std::wstring(L"Fast");
    const auto exists = [](const std::wstring& name) { return name == L"Fast"; };
    const std::vector<ListedRule> listed = ListProgramRules(store, exists);
    const struct {
        const wchar_t* program;
        RuleFault fault;
        bool profileExists;
    } expected[] = {
        {L"a.exe", RuleFault::None, true}, {L"b.exe", RuleFault::NotText, false},
        {L"c.exe", RuleFault::None, false}, {L"d|.exe", RuleFault::BadCharacters, true},
        {L"e:\\x", RuleFault::None, true}, {L"e:\\x\\", RuleFault::Duplicate, true}, {L"g.exe", RuleFault::None, false},
    };
    ASSERT_EQ(listed.size(), 38u);
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(listed[i].rule.program, expected[i].program);
        EXPECT_EQ(listed[i].fault, expected[i].fault) << i;
        EXPECT_EQ(listed[i].profileExists, expected[i].profileExists) << i;
    }
    // Counted: a, c, e:\x, g and h100..h127; the three after are past the 32nd.
    EXPECT_EQ(listed[34].fault, RuleFault::None);
    EXPECT_EQ(listed[35].fault, RuleFault::PastLimit);
    EXPECT_EQ(listed[37].fault, RuleFault::PastLimit);
    EXPECT_EQ(UsableProgramRules(store, exists).size(), 30u);

    StoreProgramRules(store, {{L"x.exe", L"Fast"}, {L"X.EXE", L"Slow"}, {L"x|.exe", L"Fast"}, {L"C:\\y", L"Gone"}});
    const std::map<std::wstring, MemorySettingsStore::Value> stored{{L"x.exe", L"Fast"}, {L"C:\\y", L"Gone"}};
    EXPECT_EQ(store.sections[kProgramRulesSection], stored);
}

}  // namespace
