#pragma once
#include <functional>
#include <string>
#include <vector>

#include "cli/ConsoleTarget.h"

// A profile asked for by name: an exact match wins; otherwise the one profile whose name matches
// without regard to case. Several such matches are ambiguous and `names` lists them.
using CaselessEqual = std::function<bool(const std::wstring&, const std::wstring&)>;
ProfileMatch MatchProfileName(const ProfileList& profiles, const std::wstring& name, const CaselessEqual& equal,
                              size_t& index, std::vector<std::wstring>& names);
