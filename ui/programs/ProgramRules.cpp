#include "ui/programs/ProgramRules.h"

#include <cwchar>

#include "ui/programs/UpperCase.h"

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// Upper case, backslashes only, no repeated or trailing separator (a UNC path keeps its leading
// two), and an image path's "\\?\" or "\\?\UNC\" prefix gone: the form two names compare in.
std::wstring Canonical(const std::wstring& text) {
    std::wstring upper = UpperCased(text);
    for (wchar_t& c : upper)
        if (c == L'/') c = L'\\';
    if (upper.compare(0, 8, L"\\\\?\\UNC\\") == 0) upper.erase(2, 6);
    else if (upper.compare(0, 4, L"\\\\?\\") == 0) upper.erase(0, 4);
    std::wstring out;
    const size_t keep = upper.compare(0, 2, L"\\\\") == 0 ? 2 : 0;
    out.append(upper, 0, keep);
    for (size_t i = keep; i < upper.size(); ++i)
        if (upper[i] != L'\\' || out.empty() || out.back() != L'\\') out.push_back(upper[i]);
    if (out.size() > keep && out.back() == L'\\') out.pop_back();
    return out;
}

bool IsFolderRule(const std::wstring& program) {
    for (wchar_t c : program)
        if (IsSeparator(c)) return true;
    return false;
}

// "X:\..." or "\\server\share...", either slash; a ':' anywhere else is no file name's.
bool IsAbsoluteFolder(const std::wstring& program) {
    if (program.size() >= 3 && IsAsciiLetter(program[0]) && program[1] == L':' && IsSeparator(program[2]))
        return program.find(L':', 2) == std::wstring::npos;
    if (program.find(L':') != std::wstring::npos) return false;
    if (program.size() < 2 || !IsSeparator(program[0]) || !IsSeparator(program[1])) return false;
    size_t i = 2;
    for (int part = 0; part < 2; ++part) {
        const size_t start = i;
        while (i < program.size() && !IsSeparator(program[i])) ++i;
        if (i == start) return false;
        if (part == 0 && i++ == program.size()) return false;
    }
    return true;
}

RuleFault ShapeFault(const std::wstring& program) {
    if (program.find_first_not_of(L' ') == std::wstring::npos) return RuleFault::Empty;
    if (program.size() > kMaxRuleProgramLength) return RuleFault::TooLong;
    for (wchar_t c : program)
        if (c < 0x20 || std::wcschr(L"<>\"|?*", c) != nullptr) return RuleFault::BadCharacters;
    const bool fine = IsFolderRule(program) ? IsAbsoluteFolder(program) : program.find(L':') == std::wstring::npos;
    return fine ? RuleFault::None : RuleFault::BadCharacters;
}

}  // namespace

RuleFault CheckRuleProgram(const std::wstring& program, const std::vector<ProgramRule>& others) {
    const RuleFault shape = ShapeFault(program);
    if (shape != RuleFault::None) return shape;
    const std::wstring canonical = Canonical(program);
    for (const ProgramRule& other : others)
        if (Canonical(other.program) == canonical) return RuleFault::Duplicate;
    return RuleFault::None;
}

bool RuleMatches(const std::wstring& program, const std::wstring& imagePath) {
    if (ShapeFault(program) != RuleFault::None) return false;
    const std::wstring path = Canonical(imagePath);
    const std::wstring name = Canonical(program);
    if (!IsFolderRule(program)) {
        const size_t slash = path.rfind(L'\\');
        return path.compare(slash == std::wstring::npos ? 0 : slash + 1, std::wstring::npos, name) == 0;
    }
    return path.size() > name.size() + 1 && path.compare(0, name.size(), name) == 0 && path[name.size()] == L'\\';
}

std::optional<size_t> MatchingRule(const std::vector<ProgramRule>& rules, const std::wstring& imagePath) {
    for (size_t i = 0; i < rules.size(); ++i)
        if (RuleMatches(rules[i].program, imagePath)) return i;
    return std::nullopt;
}

std::wstring RuleFaultText(RuleFault fault) {
    switch (fault) {
    case RuleFault::None: return L"";
    case RuleFault::Empty: return L"Enter a program: a file name such as game.exe, or a folder such as C:\\Games.";
    case RuleFault::TooLong: return L"The program is longer than 260 characters.";
    case RuleFault::BadCharacters:
        return L"A program is a file name such as game.exe, without \\ or /, or a whole folder path such as "
               L"C:\\Games or \\\\server\\share\\games. It cannot hold < > : \" | ? * or control characters, "
               L"and ':' only after the drive letter.";
    case RuleFault::Duplicate: return L"There is a rule for this program already.";
    case RuleFault::NotText: return L"Its profile is not stored as text.";
    case RuleFault::PastLimit: return L"Only the first 32 rules count.";
    }
    return L"";
}
