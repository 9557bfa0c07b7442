#pragma once
#include <functional>
#include <string>
#include <vector>

#include "store/Profile.h"
#include "store/SettingsStore.h"
#include "ui/programs/ProgramRules.h"

// The rules under the settings key's subkey "Programs": one value per rule, the program as the
// value's name and the profile's name as its text; at most 32 count.
inline constexpr const wchar_t* kProgramRulesSection = L"Programs";

// A stored rule as the editor lists it: greyed unless usable.
struct ListedRule {
    ProgramRule rule;
    RuleFault fault;
    bool profileExists;
};

bool Usable(const ListedRule& listed);

// Why a row does nothing, for the list; empty for a usable one.
std::wstring RuleNote(const ListedRule& listed);

using ProfileExists = std::function<bool(const std::wstring& profile)>;

// Each row's fault and profile again, in order, after rows were added, edited or removed: as a load
// finds them, except that a row that is no text stays so.
void UpdateRuleStates(std::vector<ListedRule>& rows, const ProfileExists& profileExists);
// Every value found, in the store's order. A value that is no text, a faulty program, a later
// duplicate and a value past the 32nd carry their fault; a profile is checked only by name.
std::vector<ListedRule> ListProgramRules(SettingsStore& store, const ProfileExists& profileExists);
// The rules that take part in matching, in the store's order.
std::vector<ProgramRule> UsableProgramRules(SettingsStore& store, const ProfileExists& profileExists);
// Replaces the subkey's values by the rules, skipping any whose program is faulty or repeats an
// earlier one, and any past the 32nd.
void StoreProgramRules(SettingsStore& store, const std::vector<ProgramRule>& rules);

// The profiles' names as the profile book lists them, each once, newest first.
std::vector<std::wstring> ProfileNames(const ProfileList& profiles);
// Whether a profile of the list has exactly this name.
bool HasProfileNamed(const ProfileList& profiles, const std::wstring& name);
