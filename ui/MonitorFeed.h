#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "gpu/Card.h"
#include "monitor/History.h"
#include "ui/MonitorLog.h"
#include "ui/MonitorWnd.h"

class SettingsStore;

// What the monitor keeps of the card: the history the window draws and the CSV log. While the
// window is closed and nothing is logged it asks the driver nothing: the poll's temperature and
// the clocks and fan the main window read last make the sample. The window open, it samples the
// card every second; a log asks the card at every poll, as its rows are the card's own values.
class CMonitorFeed : private CMonitorWnd::Owner {
public:
    class Host {
    public:
        // Once per stop: the log's file and why it could not go on.
        virtual void ShowLogStopped(const std::wstring& file, const std::wstring& reason) = 0;

    protected:
        ~Host() = default;
    };

    static constexpr UINT_PTR kSampleTimer = 101;
    static constexpr UINT kSamplePeriodMs = 1000;

    // The fan curve's fixed levels are logged as "curve" while curveDriving says so.
    CMonitorFeed(Host& host, CCard& card, SettingsStore& settings, std::function<int()> memoryFactor,
                 std::function<bool()> curveDriving);
    ~CMonitorFeed();
    CMonitorFeed(const CMonitorFeed&) = delete;
    CMonitorFeed& operator=(const CMonitorFeed&) = delete;

    // The window whose timer samples while the monitor is open; the log the settings name starts.
    void Start(HWND timerWindow);
    void Seen(const CardClocks& clocks, const CardFan& fan);
    void OnPoll(int32_t hottest);
    void OnSampleTimer();
    void OpenWindow();
    // The window's status line also says when the temperature guard last acted ("14:05").
    void TempGuardActed(const std::wstring& time);

private:
    const MonitorHistory& History() override { return m_history; }
    void StartLog(const std::wstring& path) override;
    void StopLog() override;
    void MonitorClosed() override;

    bool StartLogFile(const std::wstring& path);
    MonitorSample ReadCard(int32_t hottest);
    MonitorSample FromSeen(int32_t hottest) const;
    void Record(const MonitorSample& sample);
    void WriteRow(const MonitorSample& sample);
    void ShowLogStatus();
    uint32_t Second() const;
    FanMode ModeOf(const CardFan& fan) const;

    Host& m_host;
    CCard& m_card;
    SettingsStore& m_settings;
    std::function<int()> m_memoryFactor;
    std::function<bool()> m_curveDriving;
    HWND m_timerWindow = nullptr;
    std::wstring m_tempGuardActed;
    const ULONGLONG m_startTick = GetTickCount64();
    // The memory clock as shown, so a sample from what was seen reads no setting.
    CardClocks m_seenClocks;
    CardFan m_seenFan;
    MonitorHistory m_history;
    CMonitorLog m_log;
    CMonitorWnd* m_window = nullptr;  // while it is open
};
