#include "ui/scan/ClockScanDlg.h"

#include <commctrl.h>

#include "res/resource.h"
#include "store/Settings.h"
#include "ui/Truncate.h"

namespace {
std::wstring Mhz(double mhz) { return std::to_wstring(TruncToInt(mhz)) + L" MHz"; }

std::wstring PassedText(int passes) {
    return L"passed the driver's test " + std::to_wstring(passes) + (passes == 1 ? L" time" : L" times");
}
}  // namespace

CClockScanDlg::CClockScanDlg(Host& host, SettingsStore& settings, CWnd* owner)
    : CDialog(IDD_CLOCK_SCAN, owner), m_host(host), m_settings(settings) {
    BindControl(m_start, IDC_SCAN_START);
    BindControl(m_stop, IDC_SCAN_STOP);
    BindControl(m_putOnSliders, IDC_SCAN_PUT_ON_SLIDERS);
    BindControl(m_saveProfile, IDC_SCAN_SAVE_PROFILE);
    BindControl(m_step, IDC_SCAN_STEP);
    BindControl(m_best, IDC_SCAN_BEST);
    BindControl(m_time, IDC_SCAN_TIME);
    BindControl(m_result, IDC_SCAN_RESULT);
    BindControl(m_progress, IDC_SCAN_PROGRESS);
}

bool CClockScanDlg::OnInitDialog() {
    m_progress.SendMessage(PBM_SETRANGE32, 0, 100);
    ShowLastScan();
    if (m_host.Scan().Unavailable())
        m_result.SetWindowText(L"The display driver does not offer its clock test on this card: no scan can run.");
    FollowScan();
    return true;
}

void CClockScanDlg::FollowScan() {
    m_host.Scan().SetListener(this);
    if (m_host.Scan().Running()) SetTimer(m_hWnd, kClockTimer, 1000, nullptr);
    EnableButtons();
}

std::wstring CClockScanDlg::ClocksText(const CardClocks& clocks) {
    std::wstring text = L"core " + Mhz(clocks.core);
    if (clocks.shader > 0) text += L", shader " + Mhz(clocks.shader);
    return text + L", memory " + Mhz(clocks.memory * m_host.MemoryFactor());
}

void CClockScanDlg::ShowLastScan() {
    const std::optional<LastScan> last =
        ParseLastScan(m_settings.ReadString(L"", Settings::LastScan, L""));
    if (!last) return;
    m_found = last->clocks;
    const uint32_t version = last->driverVersion;
    m_result.SetWindowText(L"Last scan (" + last->when + L", driver " + std::to_wstring(version / 100) + L"." +
                           (version % 100 < 10 ? L"0" : L"") + std::to_wstring(version % 100) + L"): " +
                           ClocksText(last->clocks) + L", " + PassedText(last->passes) + L" together.");
}

void CClockScanDlg::ShowTime(ULONGLONG milliseconds) {
    const ULONGLONG seconds = milliseconds / 1000;
    // Tenths while under a minute: a scan of a fast driver takes about one second.
    const std::wstring shown = seconds >= 60 ? std::to_wstring(seconds / 60) + L" min " + std::to_wstring(seconds % 60)
                                             : std::to_wstring(seconds) + L"." + std::to_wstring(milliseconds % 1000 / 100);
    m_time.SetWindowText(L"Time taken: " + shown + L" s");
}

void CClockScanDlg::EnableButtons() {
    const bool running = m_host.Scan().Running();
    m_start.EnableWindow(!running && !m_host.Scan().Unavailable());
    m_stop.EnableWindow(running);
    m_putOnSliders.EnableWindow(!running && m_found.has_value());
    m_saveProfile.EnableWindow(!running && m_found.has_value());
}

void CClockScanDlg::OnStart() {
    // Enter presses the default button even while it is off.
    if (m_host.Scan().Running() || m_host.Scan().Unavailable()) return;
    m_found.reset();
    m_result.SetWindowText(L"");
    m_best.SetWindowText(L"");
    if (!m_host.StartScan()) return EnableButtons();
    SetTimer(m_hWnd, kClockTimer, 1000, nullptr);
    EnableButtons();
}

void CClockScanDlg::ScanStepSent(const ScanRequest& request, const CardClocks& bestPassed, int progressPercent) {
    std::wstring step;
    switch (request.domain) {
    case ScanDomain::Core: step = L"Core " + Mhz(request.clocks.core); break;
    case ScanDomain::Shader: step = L"Shader " + Mhz(request.clocks.shader); break;
    case ScanDomain::Memory: step = L"Memory " + Mhz(request.clocks.memory * m_host.MemoryFactor()); break;
    case ScanDomain::Together: step = L"Together: " + ClocksText(request.clocks); break;
    }
    m_step.SetWindowText(step + L", test " + std::to_wstring(request.test) + L" of " +
                         std::to_wstring(request.testsNeeded));
    m_best.SetWindowText(L"Best passed: " + ClocksText(bestPassed));
    m_progress.SendMessage(PBM_SETPOS, static_cast<WPARAM>(progressPercent));
    ShowTime(m_host.Scan().Elapsed());
}

void CClockScanDlg::ScanEnded(const CClockScanRun::Outcome& outcome) {
    KillTimer(m_hWnd, kClockTimer);
    ShowTime(outcome.milliseconds);
    m_step.SetWindowText(L"Tests sent: " + std::to_wstring(outcome.testsSent));
    std::wstring text;
    switch (outcome.end) {
    case CClockScanRun::End::Finished:
        m_progress.SendMessage(PBM_SETPOS, 100);
        m_found = outcome.found;
        text = outcome.found ? L"Found: " + ClocksText(*outcome.found) + L"; together they " +
                                   PassedText(outcome.passes) + L" in a row."
                             : L"No combination of the clocks found passed the driver's test together.";
        break;
    case CClockScanRun::End::Stopped: text = L"Stopped. The card runs the clocks it ran before the scan."; break;
    case CClockScanRun::End::DriverError:
        text = L"The display driver did not answer a test: the scan stopped and the clocks are back.";
        break;
    case CClockScanRun::End::Unavailable:
        m_step.SetWindowText(L"");
        m_best.SetWindowText(L"");
        m_progress.SendMessage(PBM_SETPOS, 0);
        text = L"The display driver does not offer its clock test on this card: no scan can run.";
        break;
    }
    m_result.SetWindowText(text);
    EnableButtons();
}

void CClockScanDlg::PostNcDestroy() {
    m_host.ScanWindowGone(this);
    delete this;
}

LRESULT CClockScanDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wp) != BN_CLICKED) break;
        switch (LOWORD(wp)) {
        case IDC_SCAN_START: OnStart(); return 0;
        case IDC_SCAN_STOP: m_host.Scan().Stop(); m_stop.EnableWindow(FALSE); return 0;
        case IDC_SCAN_PUT_ON_SLIDERS: if (m_found) m_host.PutScanOnSliders(*m_found); return 0;
        case IDC_SCAN_SAVE_PROFILE: if (m_found) m_host.SaveScanAsProfile(*m_found, m_hWnd); return 0;
        case IDCANCEL: DestroyWindow(); return 0;
        }
        break;
    case WM_TIMER:
        if (wp == kClockTimer) ShowTime(m_host.Scan().Elapsed());
        return 0;
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_DESTROY:
        // A closed window ends its scan: the clocks go back before the window is gone.
        m_host.Scan().SetListener(nullptr);
        m_host.Scan().Abandon();
        break;
    }
    return CDialog::WindowProc(msg, wp, lp);
}
