#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "store/Profile.h"

// The card's profile list as the profiles dialog and the controller's menu change it. Every
// change is stored at once (a crash loses nothing) and bumps the revision, so a view filled
// from an older revision can tell that its rows no longer match the list.
class ProfileBook {
public:
    // The store reads back 64 profiles; a longer list would lose the rest at the next start.
    static constexpr size_t kMaxProfiles = 64;
    using Saver = std::function<void(const ProfileList&)>;

    enum class CreateResult { Created, Full, NoClocks, CardUnknown };

    explicit ProfileBook(Saver save = nullptr) : m_save(std::move(save)) {}
    void SetSaver(Saver save) { m_save = std::move(save); }

    const ProfileList& List() const { return m_profiles; }
    size_t Count() const { return m_profiles.size(); }
    const PROFILE& At(size_t index) const { return m_profiles[index]; }
    uint32_t Revision() const { return m_revision; }
    bool IsCurrent(uint32_t revision, size_t index) const {
        return revision == m_revision && index < m_profiles.size();
    }

    // The list as loaded at start-up; nothing is stored.
    void Replace(ProfileList profiles);
    // A whole new list (an import), stored at once; false on an unknown card or above 64.
    bool Assign(ProfileList profiles);
    // Profiles are kept per card: without its identity nothing could be stored.
    void SetCardKnown(bool known) { m_cardKnown = known; }

    // Appends at the end. A profile whose core or memory clock is 0 (the card could not be read)
    // is refused: stored, it would end the next load at its number. So is any on an unknown card.
    CreateResult Create(const PROFILE& profile);
    // An empty name keeps the old one; the name is cut to 63 characters.
    bool Rename(size_t index, const std::wstring& name);
    bool Remove(size_t index);

private:
    void Changed();

    ProfileList m_profiles;
    uint32_t m_revision = 0;
    bool m_cardKnown = true;
    Saver m_save;
};
