#include "ui/MonitorFeed.h"

#include "store/Settings.h"

namespace {
LocalTime Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace

CMonitorFeed::CMonitorFeed(Host& host, CCard& card, SettingsStore& settings, std::function<int()> memoryFactor,
                           std::function<bool()> curveDriving)
    : m_host(host),
      m_card(card),
      m_settings(settings),
      m_memoryFactor(std::move(memoryFactor)),
      m_curveDriving(std::move(curveDriving)) {}

FanMode CMonitorFeed::ModeOf(const CardFan& fan) const {
    if (m_curveDriving()) return FanMode::Curve;
    return fan.automatic ? FanMode::Automatic : FanMode::Fixed;
}

// Through the window's own handlers, while everything here is still whole: it stores its place.
CMonitorFeed::~CMonitorFeed() {
    if (m_window) m_window->DestroyWindow();
}

void CMonitorFeed::Start(HWND timerWindow) {
    m_timerWindow = timerWindow;
    const std::wstring path = m_settings.ReadString(L"", Settings::MonitorLogFile, L"");
    if (!path.empty()) StartLogFile(path);
}

void CMonitorFeed::Seen(const CardClocks& clocks, const CardFan& fan) {
    m_seenClocks = clocks;
    m_seenClocks.memory *= m_memoryFactor();
    if (fan.known) m_seenFan = fan;
}

uint32_t CMonitorFeed::Second() const { return static_cast<uint32_t>((GetTickCount64() - m_startTick) / 1000); }

MonitorSample CMonitorFeed::FromSeen(int32_t hottest) const {
    return MakeSample(Second(), hottest, m_seenClocks.core, m_seenClocks.memory, m_seenClocks.shader,
                      m_seenFan.highestPercent, m_seenFan.known, ModeOf(m_seenFan));
}

// A clock read that fails keeps what was seen last, as the main window does.
MonitorSample CMonitorFeed::ReadCard(int32_t hottest) {
    CardClocks clocks;
    if (m_card.CurrentClocks(clocks)) {
        m_seenClocks = clocks;
        m_seenClocks.memory *= m_memoryFactor();
    }
    const CardFan fan = m_card.ReadFan();
    if (fan.known) m_seenFan = fan;
    return MakeSample(Second(), hottest, m_seenClocks.core, m_seenClocks.memory, m_seenClocks.shader,
                      fan.highestPercent, fan.known, ModeOf(fan));
}

// While the window is open its own timer samples; the poll then only logs the newest sample.
void CMonitorFeed::OnPoll(int32_t hottest) {
    if (m_window && m_history.Size() > 0) {
        if (m_log.Running()) WriteRow(m_history.Newest());
        return;
    }
    const MonitorSample sample = m_log.Running() ? ReadCard(hottest) : FromSeen(hottest);
    Record(sample);
    if (m_log.Running()) WriteRow(sample);
}

void CMonitorFeed::OnSampleTimer() {
    if (m_window) Record(ReadCard(m_card.HottestTemperature()));
}

void CMonitorFeed::Record(const MonitorSample& sample) {
    m_history.Add(sample);
    if (m_window) m_window->SampleAdded();
}

void CMonitorFeed::OpenWindow() {
    if (m_window) {
        m_window->ShowWindow(SW_RESTORE);
        SetForegroundWindow(m_window->m_hWnd);
        return;
    }
    auto* window = new CMonitorWnd(*this, m_settings);
    if (!window->Create()) {
        delete window;
        return;
    }
    m_window = window;
    ShowLogStatus();
    SetTimer(m_timerWindow, kSampleTimer, kSamplePeriodMs, nullptr);
    OnSampleTimer();
}

void CMonitorFeed::MonitorClosed() {
    m_window = nullptr;
    if (m_timerWindow) KillTimer(m_timerWindow, kSampleTimer);
}

void CMonitorFeed::StartLog(const std::wstring& path) {
    m_settings.WriteString(L"", Settings::MonitorLogFile, path);
    StartLogFile(path);
}

void CMonitorFeed::StopLog() {
    m_settings.WriteString(L"", Settings::MonitorLogFile, L"");
    m_log.Stop();
    ShowLogStatus();
}

bool CMonitorFeed::StartLogFile(const std::wstring& path) {
    std::wstring reason;
    const bool started = m_log.Start(path, reason);
    if (!started) m_host.ShowLogStopped(path, reason);
    ShowLogStatus();
    return started;
}

void CMonitorFeed::WriteRow(const MonitorSample& sample) {
    std::wstring reason;
    if (m_log.Write(Now(), sample, reason)) return;
    m_host.ShowLogStopped(m_log.Path(), reason);
    ShowLogStatus();
}

void CMonitorFeed::TempGuardActed(const std::wstring& time) {
    m_tempGuardActed = time;
    ShowLogStatus();
}

void CMonitorFeed::ShowLogStatus() {
    if (!m_window) return;
    const bool logging = m_log.Running();
    std::wstring text = logging ? L"Logging to " + m_log.Path() : std::wstring(L"Not logging");
    if (!m_tempGuardActed.empty()) text = L"Defaults put back (too hot) at " + m_tempGuardActed + L". " + text;
    m_window->SetLogStatus(text, logging);
}
