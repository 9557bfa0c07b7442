// The application's side of the controller's menu: the main window's sliders and operations,
// the three thread timers, and the main window's refresh and poll put on the controller.
#include "app/OskaraApp.h"

namespace {
constexpr DWORD kProfileNameHoldMs = 750;

COskaraDlg::ClockSlider SliderOf(TavioMenuHost::Clock clock) {
    switch (clock) {
    case TavioMenuHost::Clock::Core: return COskaraDlg::ClockSlider::Core;
    case TavioMenuHost::Clock::Memory: return COskaraDlg::ClockSlider::Memory;
    case TavioMenuHost::Clock::Shader: break;
    }
    return COskaraDlg::ClockSlider::Shader;
}
}  // namespace

void COskaraApp::OnTavioEvent(WPARAM code) { m_tavioMenu.OnEvent(code); }

void COskaraApp::ShowClocksOnController(int core, int memoryShown, int shader, int fanCells) {
    m_tavioMenu.ShowWindowClocks(core, memoryShown, shader, fanCells);
}

bool COskaraApp::ControllerFollowsPoll() { return m_tavioMenu.FollowsPoll(); }

void COskaraApp::ShowReadingsOnController(int temperatureCells, int fanCells) {
    m_tavioMenu.ShowReadings(temperatureCells, fanCells);
}

bool COskaraApp::HasMainWindow() { return m_mainDialog && IsWindow(m_mainDialog->m_hWnd); }

int COskaraApp::ClockSliderPos(Clock clock) { return m_mainDialog->ClockSliderPos(SliderOf(clock)); }

int COskaraApp::FanSliderPos() { return m_mainDialog->FanSliderPos(); }

void COskaraApp::MoveClockSlider(Clock clock, int position) { m_mainDialog->MoveClockSlider(SliderOf(clock), position); }

void COskaraApp::SetClockSlider(Clock clock, int value) { m_mainDialog->SetClockSlider(SliderOf(clock), value); }

void COskaraApp::SetFanSlider(int position) { m_mainDialog->SetFanSlider(position); }

void COskaraApp::Apply() { m_mainDialog->OnApply(); }

void COskaraApp::ResetCard() { m_mainDialog->OnReset(); }

// While a scan runs the card is its own: the controller keeps what it shows.
void COskaraApp::UpdateControls() {
    if (!m_mainDialog->Scanning()) m_mainDialog->UpdateControls();
}

int COskaraApp::MemoryClockFactor() { return m_mainDialog->GetMemoryClockFactor(); }

bool COskaraApp::ReadFanLevel(int& percent) {
    return !m_mainDialog->Scanning() && m_mainDialog->Card().FanLevel(percent);
}

void COskaraApp::RequestPoll() {
    if (HasMainWindow()) m_mainDialog->PostMessage(WM_TIMER, COskaraDlg::kPollTimer, 0);
}

UINT_PTR& COskaraApp::TimerId(Timer timer) {
    switch (timer) {
    case Timer::Repeat: return m_repeatTimer;
    case Timer::Idle: return m_idleTimer;
    case Timer::Blink: break;
    }
    return m_blinkTimer;
}

void COskaraApp::StartTimer(Timer timer, unsigned milliseconds) {
    UINT_PTR& id = TimerId(timer);
    if (id) KillTimer(nullptr, id);
    id = SetTimer(nullptr, 0, milliseconds, &COskaraApp::OnTavioTimer);
}

void COskaraApp::StopTimer(Timer timer) {
    UINT_PTR& id = TimerId(timer);
    if (id) KillTimer(nullptr, id);
    id = 0;
}

// Thread timers carry no window: the timer's id says which of the menu's timers it is.
void CALLBACK COskaraApp::OnTavioTimer(HWND, UINT, UINT_PTR id, DWORD) {
    auto* app = dynamic_cast<COskaraApp*>(CWinApp::Current());
    if (!app || id == 0) return;
    if (id == app->m_repeatTimer) app->m_tavioMenu.OnRepeatTimer();
    else if (id == app->m_idleTimer) app->m_tavioMenu.OnIdleTimer();
    else if (id == app->m_blinkTimer) app->m_tavioMenu.OnBlinkTimer();
}

void COskaraApp::HoldProfileName() { Sleep(kProfileNameHoldMs); }

bool COskaraApp::ControllerConnected() { return m_tavioScreen.IsConnected(); }
