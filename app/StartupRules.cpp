#include "app/StartupRules.h"

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

bool HasStartHiddenSwitch(const std::wstring& commandLine) {
    return ArgumentsOf(commandLine).find(L"-s") != std::wstring::npos;
}

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
