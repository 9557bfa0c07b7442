#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "ui/scan/ClockScanRun.h"

// "Oskara Clock Scan": modeless, owned by the main window, which owns the scan itself. The
// window starts and stops it and shows its steps, its best passes, the time and the result; its
// close ends a scan under way. It frees itself when its window is gone.
class SettingsStore;

class CClockScanDlg : public CDialog, private CClockScanRun::Listener {
public:
    class Host {
    public:
        virtual CClockScanRun& Scan() = 0;
        // Starts a scan from the card's defaults; false (and the user told why) when it cannot.
        virtual bool StartScan() = 0;
        // The shown memory clock over the real one.
        virtual int MemoryFactor() = 0;
        virtual void PutScanOnSliders(const CardClocks& clocks) = 0;
        virtual void SaveScanAsProfile(const CardClocks& clocks, HWND boxOwner) = 0;
        virtual void ScanWindowGone(CClockScanDlg* window) = 0;

    protected:
        ~Host() = default;
    };

    static constexpr UINT_PTR kClockTimer = 1;

    CClockScanDlg(Host& host, SettingsStore& settings, CWnd* owner);

    // A scan under way (one started at the program's start after a crash, say) is followed.
    void FollowScan();

protected:
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PostNcDestroy() override;

private:
    void ScanStepSent(const ScanRequest& request, const CardClocks& bestPassed, int progressPercent) override;
    void ScanEnded(const CClockScanRun::Outcome& outcome) override;
    void OnStart();
    void ShowLastScan();
    void ShowTime(ULONGLONG milliseconds);
    void EnableButtons();
    std::wstring ClocksText(const CardClocks& clocks);

    Host& m_host;
    SettingsStore& m_settings;
    CButton m_start, m_stop, m_putOnSliders, m_saveProfile;
    CStatic m_step, m_best, m_time, m_result;
    CWnd m_progress;
    std::optional<CardClocks> m_found;
};
