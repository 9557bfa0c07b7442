#include "store/ProfileBook.h"

#include <cstddef>

void ProfileBook::Replace(ProfileList profiles) {
    m_profiles = std::move(profiles);
    ++m_revision;
}

bool ProfileBook::Assign(ProfileList profiles) {
    if (!m_cardKnown || profiles.size() > kMaxProfiles) return false;
    m_profiles = std::move(profiles);
    Changed();
    return true;
}

ProfileBook::CreateResult ProfileBook::Create(const PROFILE& profile) {
    if (!m_cardKnown) return CreateResult::CardUnknown;
    if (profile.core == 0 || profile.memory == 0) return CreateResult::NoClocks;
    if (m_profiles.size() >= kMaxProfiles) return CreateResult::Full;
    m_profiles.push_back(profile);
    Changed();
    return CreateResult::Created;
}

bool ProfileBook::Rename(size_t index, const std::wstring& name) {
    if (index >= m_profiles.size()) return false;
    if (!name.empty()) SetProfileName(m_profiles[index], name);
    Changed();
    return true;
}

bool ProfileBook::Remove(size_t index) {
    if (index >= m_profiles.size()) return false;
    m_profiles.erase(m_profiles.begin() + static_cast<std::ptrdiff_t>(index));
    Changed();
    return true;
}

void ProfileBook::Changed() {
    ++m_revision;
    if (m_save) m_save(m_profiles);
}
