#include "tavio/Menu.h"

#include "store/Settings.h"

using Timer = TavioMenuHost::Timer;
using Clock = TavioMenuHost::Clock;

void CTavioMenu::Start(Timer timer, unsigned ms, bool& running) {
    if (running) return;
    m_host.StartTimer(timer, ms);
    running = true;
}

void CTavioMenu::Stop(Timer timer, bool& running) {
    if (!running) return;
    m_host.StopTimer(timer);
    running = false;
}

void CTavioMenu::OnConnected() {
    m_display.Opened();
    for (int id : {2, 3, 5, 6, 8, 9, 11, 12, 1, 0}) m_display.SetIndicator(id, true);
    OnEvent(Release);
}

void CTavioMenu::OnRemoved() {
    m_display.Removed();
    Stop(Timer::Repeat, m_repeatRunning);
    Stop(Timer::Idle, m_idleRunning);
    Stop(Timer::Blink, m_blinkRunning);
}

// Only the fan screens blink. The timer runs only while one shows: woken twice a second for
// nothing, the idle program would cost more than everything else it does; and however often the
// controller comes back, one blink timer runs.
void CTavioMenu::FollowBlink() {
    if (m_display.IsConnected() && (m_state == FanMenu || m_state == FanCustom))
        Start(Timer::Blink, kBlinkMs, m_blinkRunning);
    else
        Stop(Timer::Blink, m_blinkRunning);
}

void CTavioMenu::StopTimers() {
    Stop(Timer::Repeat, m_repeatRunning);
    Stop(Timer::Idle, m_idleRunning);
    Stop(Timer::Blink, m_blinkRunning);
}

// Events still queued when the controller went away are dropped: they would start a repeat
// that no release can end.
void CTavioMenu::OnEvent(uint64_t code) {
    if (m_display.IsConnected()) Handle(code, false, true);
}

void CTavioMenu::OnRepeatTimer() {
    if (m_display.IsConnected()) Handle(m_lastEvent, true, true);
}

// Fires once after the last event: its own redraw does not arm it again.
void CTavioMenu::OnIdleTimer() {
    Stop(Timer::Idle, m_idleRunning);
    if (!m_display.IsConnected()) return;
    EndPreview();
    if (m_host.HasMainWindow()) m_host.UpdateControls();
    m_state = MainMenu;
    Handle(Release, false, false);
}

void CTavioMenu::OnBlinkTimer() {
    if (m_state != FanMenu && m_state != FanCustom) return;
    m_display.SetIndicator(0, m_blink);
    m_blink = !m_blink;
}

void CTavioMenu::Handle(uint64_t code, bool repeated, bool armIdle) {
    m_lastEvent = code;
    Stop(Timer::Idle, m_idleRunning);
    if (armIdle && Settings::Read(m_settings, Settings::TavioIdleReturn) == 1)
        Start(Timer::Idle, kIdleMs, m_idleRunning);
    Start(Timer::Repeat, kRepeatMs, m_repeatRunning);
    if (code == Release) Stop(Timer::Repeat, m_repeatRunning);

    m_display.ClearText();
    if (!DropStaleCursor()) Act(code, repeated);
    Draw();
    m_display.FlushText();
    FollowBlink();
}

// The profiles dialog may have changed the list under a browsed profile: the menu then goes
// back to the list, and the key that found it out does nothing else.
bool CTavioMenu::DropStaleCursor() {
    if (m_state != ProfileView && m_state != ProfileOptions) return false;
    if (m_profiles.IsCurrent(m_cursorRevision, m_cursor)) return false;
    EndPreview();
    m_state = ProfileList;
    m_cursor = 0;
    m_cursorRevision = m_profiles.Revision();
    return true;
}

void CTavioMenu::Act(uint64_t code, bool repeated) {
    if (code < Left || code > Right) return;
    if (m_state >= ProfileList)
        ActInProfiles(code, repeated);
    else
        ActInMenus(code, repeated);
}

// A held key walks screens and steps clocks and fan, but never resets the card again and again.
void CTavioMenu::ActInMenus(uint64_t code, bool repeated) {
    switch (m_state) {
        case MainMenu:
            if (code == Left) m_state = EditCore;
            if (code == Right && !repeated && m_host.HasMainWindow()) m_host.ResetCard();
            if (code == Middle) {
                m_cursor = 0;
                m_cursorRevision = m_profiles.Revision();
                m_state = ProfileList;
            }
            break;
        case EditCore:
        case EditMemory:
        case EditShader: {
            const Clock clock = m_state == EditCore ? Clock::Core : m_state == EditMemory ? Clock::Memory : Clock::Shader;
            if (code == Left) m_state = static_cast<State>(m_state + 1);
            if (code == Middle) AdjustClock(clock, -1);
            if (code == Right) AdjustClock(clock, +1);
            break;
        }
        case FanMenu:
            if (code == Left) m_state = MainMenu;
            if (code == Middle && m_host.HasMainWindow()) {
                m_host.SetFanSlider(110);
                m_host.Apply();
            }
            if (code == Right) m_state = FanCustom;
            break;
        case FanCustom:
            if (code == Left) m_state = FanMenu;
            if (code == Middle) StepFan(-1);
            if (code == Right) StepFan(+1);
            break;
        default:
            break;
    }
}

// Create, Delete and Activate act once per press, never on a held key's repeat.
void CTavioMenu::ActInProfiles(uint64_t code, bool repeated) {
    switch (m_state) {
        case ProfileList:
            if (code == Left) m_state = MainMenu;
            if (code == Middle && !repeated) CreateProfile();
            if (code == Right && m_profiles.Count() > 0) {
                if (!m_profiles.IsCurrent(m_cursorRevision, m_cursor)) m_cursor = 0;
                m_cursorRevision = m_profiles.Revision();
                m_state = ProfileView;
                ShowProfileName();
            }
            break;
        case ProfileView:
            if (code == Left) {
                EndPreview();
                if (m_host.HasMainWindow()) m_host.UpdateControls();
                m_state = ProfileList;
            }
            if (code == Middle) m_state = ProfileOptions;
            if (code == Right) {
                NextProfile();
                ShowProfileName();
            }
            break;
        case ProfileOptions:
            if (code == Left) m_state = ProfileView;
            if (code == Middle && !repeated) DeleteProfile();
            if (code == Right && !repeated) ActivateProfile();
            break;
        default:
            break;
    }
}
