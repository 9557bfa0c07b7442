#include "ui/programs/ProgramRuleStore.h"

#include <algorithm>
#include <variant>

#include "ui/ProfileRows.h"

bool Usable(const ListedRule& listed) { return listed.fault == RuleFault::None && listed.profileExists; }

std::vector<ListedRule> ListProgramRules(SettingsStore& store, const ProfileExists& profileExists) {
    std::vector<ListedRule> listed;
    // Only rules that count make a later one a duplicate.
    std::vector<ProgramRule> counted;
    for (SettingsStore::NamedValue& value : store.ReadValues(kProgramRulesSection)) {
        const auto* profile = std::get_if<std::wstring>(&value.value);
        ListedRule entry{{std::move(value.name), profile ? *profile : L""}, RuleFault::None, false};
        entry.fault = CheckRuleProgram(entry.rule.program, counted);
        if (entry.fault == RuleFault::None && !profile) entry.fault = RuleFault::NotText;
        if (entry.fault == RuleFault::None && counted.size() >= kMaxProgramRules) entry.fault = RuleFault::PastLimit;
        if (entry.fault == RuleFault::None) counted.push_back(entry.rule);
        entry.profileExists = profile && !profile->empty() && profileExists && profileExists(*profile);
        listed.push_back(std::move(entry));
    }
    return listed;
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
