#include "cli/ProfileMatch.h"

#include <cwchar>

ProfileMatch MatchProfileName(const ProfileList& profiles, const std::wstring& name, const CaselessEqual& equal,
                              size_t& index, std::vector<std::wstring>& names) {
    names.clear();
    std::vector<size_t> caseless;
    for (size_t i = 0; i < profiles.size(); ++i) {
        const std::wstring candidate(profiles[i].name, wcsnlen(profiles[i].name, 64));
        if (candidate == name) return index = i, ProfileMatch::Applied;
        if (equal(candidate, name)) {
            caseless.push_back(i);
            names.push_back(candidate);
        }
    }
    if (caseless.size() == 1) return index = caseless.front(), ProfileMatch::Applied;
    return caseless.empty() ? ProfileMatch::NotFound : ProfileMatch::Ambiguous;
}
