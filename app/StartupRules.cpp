#include "app/StartupRules.h"

#include <vector>

namespace StartupRules {

std::wstring ArgumentsOf(const std::wstring& commandLine) {
    size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const size_t close = commandLine.find(L'"', 1);
        i = close == std::wstring::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && commandLine[i] != L' ' && commandLine[i] != L'\t') ++i;
    }
    return commandLine.substr(i);
}

namespace {
struct Token {
    size_t begin, end;  // the raw span, quotes included
    std::wstring text;
    bool quoted;
};

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::vector<Token> Tokens(const std::wstring& arguments) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (true) {
        while (i < arguments.size() && IsBlank(arguments[i])) ++i;
        if (i == arguments.size()) return tokens;
        Token token{i, i, L"", arguments[i] == L'"'};
        if (token.quoted) {
            const size_t close = arguments.find(L'"', i + 1);
            token.end = close == std::wstring::npos ? arguments.size() : close + 1;
            token.text = arguments.substr(i + 1, (close == std::wstring::npos ? arguments.size() : close) - i - 1);
        } else {
            while (token.end < arguments.size() && !IsBlank(arguments[token.end])) ++token.end;
            token.text = arguments.substr(i, token.end - i);
        }
        i = token.end;
        tokens.push_back(std::move(token));
    }
}

bool IsSwitch(const Token& token, const wchar_t* name) { return !token.quoted && token.text == name; }
}  // namespace

StartRequest ParseStartRequest(const std::wstring& commandLine) {
    std::wstring rest = ArgumentsOf(commandLine);
    const std::vector<Token> tokens = Tokens(rest);
    StartRequest request;
    for (size_t i = 0; i + 1 < tokens.size(); ++i) {
        const Token& name = tokens[i + 1];
        if (!IsSwitch(tokens[i], L"-p") || IsSwitch(name, L"-s") || IsSwitch(name, L"-p")) continue;
        // A name's characters are no switch: "Quiet-s" must not start the program hidden.
        rest.replace(name.begin, name.end - name.begin, name.end - name.begin, L' ');
        if (!request.profileName && !name.text.empty()) request.profileName = name.text;
        ++i;
    }
    request.startHidden = rest.find(L"-s") != std::wstring::npos;
    return request;
}

bool HasStartHiddenSwitch(const std::wstring& commandLine) { return ParseStartRequest(commandLine).startHidden; }

bool IsCardChange(const std::wstring& lastCard, const std::wstring& cardKey) {
    return !cardKey.empty() && !lastCard.empty() && lastCard != cardKey;
}

RestorePlan PlanRestore(const LastApplied& last, const std::wstring& lastCard, const std::wstring& cardKey,
                        uint32_t restoreOC, bool ctrlHeld, bool cardHasShaderClock) {
    RestorePlan plan;
    if (cardKey.empty() || lastCard.empty() || lastCard != cardKey || restoreOC != 1 || ctrlHeld) return plan;
    plan.restore = true;
    plan.core = last.core;
    plan.memory = last.memory;
    plan.shader = last.shader;
    const double product = plan.core * plan.memory * (cardHasShaderClock ? plan.shader : 1.0);
    const bool runnable =
        last.core <= kMaxRestorableMhz && last.memory <= kMaxRestorableMhz && last.shader <= kMaxRestorableMhz;
    plan.setClocks = product > 0 && runnable;
    plan.setFan = last.fan <= 0xFF;
    plan.automaticFan = last.fan > 100;
    plan.fanPercent = plan.automaticFan ? 0 : static_cast<int>(last.fan);
    return plan;
}

}  // namespace StartupRules
