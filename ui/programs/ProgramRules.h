#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A rule puts a profile on the card while a program it names runs. The program is an
// executable's file name ("game.exe", no slash or backslash) or an absolute folder
// ("C:\Games", "\\server\share\games"): every program started from it or below it.
struct ProgramRule {
    std::wstring program;
    std::wstring profile;
};

// What is wrong with a rule. CheckRuleProgram gives the first five; a stored rule can also be
// no text value, or one past the rules that count.
enum class RuleFault { None, Empty, TooLong, BadCharacters, Duplicate, NotText, PastLimit };

inline constexpr size_t kMaxRuleProgramLength = 260;
inline constexpr size_t kMaxProgramRules = 32;

// Empty (or only spaces), over 260 units, characters a file name cannot hold (<>:"|?*, control
// characters, ':' but as a drive's, a slash in what is no absolute folder), or the same program as
// one of others without regard to case, slashes and a trailing backslash.
RuleFault CheckRuleProgram(const std::wstring& program, const std::vector<ProgramRule>& others);

// The rule's program names the running program with this full image path (C:\Games\x\game.exe):
// a file name matches the path's last component, a folder every path below it by whole
// components; without regard to case, either slash, repeated or trailing separators, and a
// "\\?\" prefix on the path. A program CheckRuleProgram faults matches nothing.
bool RuleMatches(const std::wstring& program, const std::wstring& imagePath);

// The first rule, in the order given, that matches; nullopt when none.
std::optional<size_t> MatchingRule(const std::vector<ProgramRule>& rules, const std::wstring& imagePath);

// Why a rule does nothing or is refused, as a sentence for a message or a list's note.
std::wstring RuleFaultText(RuleFault fault);
