#include "ui/programs/ProgramRuleStore.h"

#include <algorithm>
#include <variant>

#include "ui/ProfileRows.h"

bool Usable(const ListedRule& listed) { return listed.fault == RuleFault::None && listed.profileExists; }

std::wstring RuleNote(const ListedRule& listed) {
    if (listed.fault != RuleFault::None) return RuleFaultText(listed.fault);
    if (listed.profileExists) return L"";
    if (listed.rule.profile.empty()) return L"It names no profile.";
    return L"The card has no profile \"" + listed.rule.profile + L"\".";
}

void UpdateRuleStates(std::vector<ListedRule>& rows, const ProfileExists& profileExists) {
    // Only rules that count make a later one a duplicate.
    std::vector<ProgramRule> counted;
    for (ListedRule& row : rows) {
        if (row.fault != RuleFault::NotText) {
            row.fault = CheckRuleProgram(row.rule.program, counted);
            if (row.fault == RuleFault::None && counted.size() >= kMaxProgramRules) row.fault = RuleFault::PastLimit;
            if (row.fault == RuleFault::None) counted.push_back(row.rule);
        }
        row.profileExists = row.fault != RuleFault::NotText && !row.rule.profile.empty() && profileExists &&
                            profileExists(row.rule.profile);
    }
}

std::vector<ListedRule> ListProgramRules(SettingsStore& store, const ProfileExists& profileExists) {
    std::vector<ListedRule> rows;
    for (SettingsStore::NamedValue& value : store.ReadValues(kProgramRulesSection)) {
        const auto* profile = std::get_if<std::wstring>(&value.value);
        rows.push_back({{std::move(value.name), profile ? *profile : L""},
                        profile ? RuleFault::None : RuleFault::NotText, false});
    }
    UpdateRuleStates(rows, profileExists);
    return rows;
}

std::vector<ProgramRule> UsableProgramRules(SettingsStore& store, const ProfileExists& profileExists) {
    std::vector<ProgramRule> rules;
    for (ListedRule& listed : ListProgramRules(store, profileExists))
        if (Usable(listed)) rules.push_back(std::move(listed.rule));
    return rules;
}

void StoreProgramRules(SettingsStore& store, const std::vector<ProgramRule>& rules) {
    std::vector<ProgramRule> kept;
    for (const ProgramRule& rule : rules)
        if (kept.size() < kMaxProgramRules && CheckRuleProgram(rule.program, kept) == RuleFault::None)
            kept.push_back(rule);
    std::vector<SettingsStore::NamedValue> values;
    for (const ProgramRule& rule : kept) values.push_back({rule.program, rule.profile});
    store.DeleteSection(kProgramRulesSection);
    if (!values.empty()) store.WriteValues(kProgramRulesSection, values);
}

std::vector<std::wstring> ProfileNames(const ProfileList& profiles) {
    std::vector<std::wstring> names;
    for (auto it = profiles.rbegin(); it != profiles.rend(); ++it) {
        std::wstring name = ProfileRow(*it, 1).name;
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
    }
    return names;
}

bool HasProfileNamed(const ProfileList& profiles, const std::wstring& name) {
    return std::any_of(profiles.begin(), profiles.end(),
                       [&](const PROFILE& profile) { return ProfileRow(profile, 1).name == name; });
}
