#include "ui/programs/ProgramFollower.h"

#include <algorithm>

FollowStep CProgramFollower::ProcessStarted(uint32_t id, const std::wstring& imagePath, const std::wstring& profile,
                                            uint64_t startOrder) {
    if (Watches(id)) return {};
    m_running.push_back({id, imagePath, profile, startOrder});
    return Decide();
}

FollowStep CProgramFollower::ProcessEnded(uint32_t id, uint64_t nowMs) {
    const auto gone = std::remove_if(m_running.begin(), m_running.end(), [id](const Process& p) { return p.id == id; });
    if (gone == m_running.end()) return {};
    m_running.erase(gone, m_running.end());
    return AfterEnd(nowMs);
}

FollowStep CProgramFollower::RulesChanged(
    const std::function<std::optional<std::wstring>(const std::wstring&)>& profileOf, uint64_t nowMs) {
    std::vector<Process> still;
    for (Process& process : m_running) {
        const std::optional<std::wstring> profile = profileOf(process.imagePath);
        if (!profile) continue;
        process.profile = *profile;
        still.push_back(process);
    }
    m_running = std::move(still);
    return AfterEnd(nowMs);
}

void CProgramFollower::UserChanged() {
    if (!m_onCard) return;
    m_userChanged = true;
    // Nothing runs any more: the run ends with the user's change in place.
    if (m_running.empty()) EndRun();
}

FollowStep CProgramFollower::Stop() {
    m_running.clear();
    const bool putBack = m_onCard && !m_userChanged;
    EndRun();
    return putBack ? FollowStep{FollowStep::Kind::PutBack} : FollowStep{};
}

FollowStep CProgramFollower::Tick(uint64_t nowMs) {
    if (!m_putBackAt || nowMs < *m_putBackAt || !m_running.empty()) return {};
    EndRun();
    return {FollowStep::Kind::PutBack};
}

std::optional<std::wstring> CProgramFollower::Deciding() const {
    const Process* first = First();
    if (!first || !m_onCard || m_userChanged) return std::nullopt;
    return first->imagePath;
}

bool CProgramFollower::Watches(uint32_t id) const {
    return std::any_of(m_running.begin(), m_running.end(), [id](const Process& p) { return p.id == id; });
}

const CProgramFollower::Process* CProgramFollower::First() const {
    const auto first = std::min_element(m_running.begin(), m_running.end(),
                                        [](const Process& a, const Process& b) { return a.startOrder < b.startOrder; });
    return first == m_running.end() ? nullptr : &*first;
}

// A restart within the grace finds its profile on the card and costs no driver call.
FollowStep CProgramFollower::Decide() {
    m_putBackAt.reset();
    const Process* first = First();
    if (!first || m_userChanged || m_onCard == first->profile) return {};
    const bool keepWhatRan = !m_onCard;
    m_onCard = first->profile;
    return {FollowStep::Kind::PutProfile, first->profile, keepWhatRan};
}

FollowStep CProgramFollower::AfterEnd(uint64_t nowMs) {
    if (!m_running.empty()) return Decide();
    if (!m_onCard || m_userChanged) {
        EndRun();
        return {};
    }
    if (!m_putBackAt) m_putBackAt = nowMs + kGraceMs;
    return {};
}

void CProgramFollower::EndRun() {
    m_onCard.reset();
    m_userChanged = false;
    m_putBackAt.reset();
}
