// The console companion's arguments, the profile name rule and the bytes handed to the running
// instance: what is taken, what is refused, and that bad bytes are no request.
#include <gtest/gtest.h>

#include <cwctype>

#include "cli/ConsoleWire.h"
#include "cli/ProfileMatch.h"
#include "tests/host/ProfileMaker.h"

namespace {
TEST(ConsoleCommand, ArgumentsAreTakenOrRefused) {
    const struct {
        std::vector<std::wstring> args;
        bool taken;
    } cases[] = {
        {{L"status"}, true},           {{L"status", L"--json"}, true},        {{L"status", L"--json", L"--json"}, false},
        {{L"apply", L"--core", L"700", L"--memory=2000", L"--fan", L"auto"}, true},
        {{L"apply", L"--fan", L"100"}, true}, {{L"apply", L"--fan", L"101"}, false}, {{L"apply", L"--fan", L"-1"}, false},
        {{L"apply", L"--core"}, false}, {{L"apply", L"--core", L"0"}, false}, {{L"apply", L"--core", L"7e2"}, false},
        {{L"apply", L"--core", L"700", L"--core", L"710"}, false}, {{L"apply", L"--volts", L"1"}, false},
        {{L"reset", L"now"}, false},    {{L"profile"}, false},                 {{L"profile", std::wstring(64, L'p')}, false},
        {{L"profile", L"Quiet", L"Loud"}, false}, {{L"profiles", L"--json"}, true}, {{L"export"}, false},
        {{L"import", L"f.txt", L"--replace"}, true}, {{L"export", L"f.txt", L"--replace"}, false},
        {{}, false},                    {{L"explode"}, false},                 {{L"--help"}, true},
    };
    for (const auto& c : cases) {
        const ParsedCommand parsed = ParseCommand(c.args);
        EXPECT_EQ(parsed.command.has_value(), c.taken) << (c.args.empty() ? "" : std::string(c.args[0].begin(), c.args[0].end()));
        EXPECT_EQ(parsed.problem.empty(), c.taken) << parsed.problem;
    }
    const ConsoleCommand apply = *ParseCommand({L"apply", L"--shader=1500", L"--fan", L"curve"}).command;
    EXPECT_EQ(apply.shader, 1500);
    EXPECT_FALSE(apply.core || apply.memory);
    EXPECT_EQ(apply.fan->mode, FanMode::Curve);
}

TEST(ProfileMatch, AnExactNameWinsAndSeveralCaselessOnesAreAmbiguous) {
    const ProfileList profiles{MakeProfile(L"Silent"), MakeProfile(L"silent"), MakeProfile(L"Loud")};
    const CaselessEqual ascii = [](const std::wstring& a, const std::wstring& b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (std::towlower(a[i]) != std::towlower(b[i])) return false;
        return true;
    };
    const struct {
        const wchar_t* asked;
        ProfileMatch match;
        size_t index, names;
    } cases[] = {{L"silent", ProfileMatch::Applied, 1, 0}, {L"SILENT", ProfileMatch::Ambiguous, 0, 2},
                 {L"loud", ProfileMatch::Applied, 2, 0},   {L"Quiet", ProfileMatch::NotFound, 0, 0}};
    for (const auto& c : cases) {
        size_t index = 0;
        std::vector<std::wstring> names;
        EXPECT_EQ(MatchProfileName(profiles, c.asked, ascii, index, names), c.match) << c.asked;
        if (c.match == ProfileMatch::Applied) EXPECT_EQ(index, c.index) << c.asked;
        if (c.match == ProfileMatch::Ambiguous) EXPECT_EQ(names.size(), c.names) << c.asked;
    }
}

TEST(ConsoleWire, RequestsAndAnswersSurviveAndBrokenBytesAreNone) {
    const ConsoleWire::Request request{0x1234ABCDull, {L"import", L"D\u00e9j\u00e0.txt", L"--replace"},
                                       std::string("[profile]\0x", 11)};
    const std::optional<ConsoleWire::Request> back = ConsoleWire::DecodeRequest(ConsoleWire::EncodeRequest(request));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->replyWindow, request.replyWindow);
    EXPECT_EQ(back->args, request.args);
    EXPECT_EQ(back->fileText, request.fileText);
    const std::optional<CommandAnswer> answer = ConsoleWire::DecodeAnswer(ConsoleWire::EncodeAnswer({3, "out", "err\n"}));
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->exitCode, 3);
    EXPECT_EQ(answer->out, "out");
    EXPECT_EQ(answer->err, "err\n");
    const std::string encoded = ConsoleWire::EncodeRequest(request);
    for (const std::string& broken : {std::string(), encoded.substr(0, 20), "X" + encoded,
                                      std::string("OSKARA-COMMAND-1\0" "1\0" "99\0", 22),
                                      std::string("OSKARA-COMMAND-1\0" "1\0" "1\0\xC3\0", 23)})
        EXPECT_FALSE(ConsoleWire::DecodeRequest(broken)) << broken.size();
    EXPECT_FALSE(ConsoleWire::DecodeAnswer(std::string("OSKARA-ANSWER-1\0" "0\0" "9\0" "ab", 22)));
}
}  // namespace
