#include "tavio/Menu.h"

#include <algorithm>
#include <climits>

#include "store/Settings.h"

using Clock = TavioMenuHost::Clock;

namespace {
constexpr int kFanStep = 5;
constexpr int kUnreadFanLevel = 50;
constexpr int kAutomaticFanPosition = 110;

int Saturate(int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX)); }
}  // namespace

// Only the steps the options dialog offers; anything else found in the registry counts as 5.
int CTavioMenu::StepSize() {
    const uint32_t step = Settings::Read(m_settings, Settings::TavioStepSize);
    return step == 1 || step == 5 || step == 10 ? static_cast<int>(step) : 5;
}

int CTavioMenu::MemoryFactor() {
    const int factor = m_host.MemoryClockFactor();
    return factor >= 1 ? factor : 1;
}

void CTavioMenu::AdjustClock(Clock clock, int direction) {
    if (!m_host.HasMainWindow()) return;
    const int64_t step = int64_t{StepSize()} * (clock == Clock::Memory ? MemoryFactor() : 1);
    m_host.MoveClockSlider(clock, Saturate(m_host.ClockSliderPos(clock) + direction * step));
    m_host.Apply();
}

// From automatic, the step starts at the card's current level. Results stay within 0..100, so
// a step up from automatic near the top gives 100 % fixed, never automatic.
void CTavioMenu::StepFan(int direction) {
    if (!m_host.HasMainWindow()) return;
    int from = m_host.FanSliderPos();
    if (from > 100 && !m_host.ReadFanLevel(from)) from = kUnreadFanLevel;
    m_host.SetFanSlider(std::clamp(from + direction * kFanStep, 0, 100));
    m_host.Apply();
}

void CTavioMenu::CreateProfile() {
    if (!m_host.HasMainWindow()) return;
    PROFILE profile{};
    SetProfileName(profile, L"New Profile");
    profile.core = m_host.ClockSliderPos(Clock::Core);
    profile.memory = m_host.ClockSliderPos(Clock::Memory) / MemoryFactor();
    profile.shader = m_host.ClockSliderPos(Clock::Shader);
    profile.fan = static_cast<uint8_t>(std::clamp(m_host.FanSliderPos(), 0, kAutomaticFanPosition));
    const bool cursorCurrent = m_profiles.IsCurrent(m_cursorRevision, m_cursor);
    // A full list or an unread card leaves the list as it is; a card without its identity says so.
    if (m_profiles.Create(profile) == ProfileBook::CreateResult::CardUnknown) HoldText(L"Card not identified");
    if (cursorCurrent) m_cursorRevision = m_profiles.Revision();
}

void CTavioMenu::NextProfile() {
    ++m_cursor;
    if (m_cursor + 1 > m_profiles.Count()) m_cursor = 0;
}

void CTavioMenu::DeleteProfile() {
    EndPreview();
    m_profiles.Remove(m_cursor);
    m_cursor = 0;
    m_cursorRevision = m_profiles.Revision();
    m_state = ProfileList;
}

// Memory goes to the slider times the factor, so that Apply gives the card the stored clock.
void CTavioMenu::ActivateProfile() {
    if (m_host.HasMainWindow()) {
        const PROFILE profile = m_profiles.At(m_cursor);
        m_host.SetClockSlider(Clock::Core, profile.core);
        m_host.SetClockSlider(Clock::Memory, Saturate(int64_t{profile.memory} * MemoryFactor()));
        m_host.SetClockSlider(Clock::Shader, profile.shader);
        m_host.SetFanSlider(profile.fan);
        m_host.Apply();
    }
    EndPreview();
    m_state = MainMenu;
}
