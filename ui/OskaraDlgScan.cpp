// The main window's side of the clock scan: its window, its bounds, the refusals while it runs
// and the offer to go on after a crash.
#include "ui/OskaraDlg.h"

#include <algorithm>
#include <cwchar>

#include "framework/CentredMessageBox.h"
#include "gpu/FanPosition.h"
#include "store/ProfileBook.h"
#include "store/Settings.h"
#include "ui/Truncate.h"

namespace {
constexpr const wchar_t* kScanRunningText = L"A clock scan is running. Stop it first.";
}  // namespace

bool COskaraDlg::RefusedWhileScanning() {
    if (!m_scan.Running()) return false;
    m_host.ShowScanRunning(kScanRunningText);
    return true;
}

bool COskaraDlg::BoxIfScanning() {
    if (!m_scan.Running()) return false;
    CentredMessageBox(m_hWnd, kScanRunningText, m_host.MessageCaption().c_str(), MB_ICONINFORMATION);
    return true;
}

void COskaraDlg::OpenScanWindow() {
    if (m_scanDialog) {
        m_scanDialog->ShowWindow(SW_RESTORE);
        SetForegroundWindow(m_scanDialog->m_hWnd);
        return;
    }
    m_scan.Attach(m_hWnd);
    auto* window = new CClockScanDlg(*this, m_host.Settings(), this);
    if (window->Create()) {
        m_scanDialog = window;
        return;
    }
    if (!window->m_hWnd) delete window;
}

void COskaraDlg::EndScan() {
    if (m_scanDialog) m_scanDialog->DestroyWindow();
    m_scan.Abandon();
}

// The monitor's window reads the card as it opens: while a test is with the driver, that waits.
void COskaraDlg::OpenMonitor() {
    if (CardLent()) {
        m_monitorAfterTest = true;
        return;
    }
    m_monitor.OpenWindow();
}

// The worker has let go of the card: what waited for it runs before the next request goes out.
void COskaraDlg::OnClockTestAnswer(ClockTestAnswer answer, LPARAM tag) {
    if (m_monitorAfterTest) m_monitor.OpenWindow();
    m_monitorAfterTest = false;
    m_scan.OnAnswer(answer, tag);
    FollowAfterScan();
}

void COskaraDlg::ScanWindowGone(CClockScanDlg* window) {
    if (m_scanDialog == window) m_scanDialog = nullptr;
    FollowAfterScan();
}

// From the defaults to the sliders' ends as they stand, never past the highest the sliders may
// grow to; the main window's coupling of core and shader does not hold here, and memory is the
// real clock.
std::optional<ScanBounds> COskaraDlg::ScanBoundsNow() {
    CardClocks defaults;
    if (!m_card.DefaultClocks(defaults) || defaults.core <= 0 || defaults.memory <= 0) return std::nullopt;
    const ClockCeilings ceilings = SliderCeilings();
    const double factor = GetMemoryClockFactor();
    const CardClocks ends{static_cast<double>(std::min(m_coreSlider.GetRangeMax(), ceilings.core)),
                          std::min(m_memorySlider.GetRangeMax(), ceilings.memory) / factor,
                          static_cast<double>(std::min(m_shaderSlider.GetRangeMax(), ceilings.shader))};
    return ScanBounds{defaults, ends, m_card.HasShaderClock() && defaults.shader > 0};
}

// The ends a stored scan ran with, while the card's defaults are still the ones it had and the
// ends within what the sliders may reach: the sliders' ranges of this start may differ.
std::optional<ScanBounds> COskaraDlg::StoredScanBounds(const ScanState& state) {
    std::optional<ScanBounds> bounds = ScanBoundsNow();
    if (!bounds) return std::nullopt;
    const ClockCeilings ceilings = SliderCeilings();
    const double factor = GetMemoryClockFactor();
    bounds->ends = {state.endKhz[0] / 1000.0, state.endKhz[2] / 1000.0, state.endKhz[1] / 1000.0};
    const bool within = bounds->ends.core <= ceilings.core && bounds->ends.memory * factor <= ceilings.memory &&
                        bounds->ends.shader <= ceilings.shader;
    if (!within || !ScanStateFits(state, *bounds)) return std::nullopt;
    return bounds;
}

bool COskaraDlg::StartScan() {
    const std::wstring caption = m_host.MessageCaption();
    if (m_owner.Unconfirmed()) {
        CentredMessageBox(m_hWnd, L"Keep or revert the new clocks first.", caption.c_str(), MB_ICONINFORMATION);
        return false;
    }
    const std::optional<ScanBounds> bounds = ScanBoundsNow();
    if (!bounds) {
        CentredMessageBox(m_hWnd, L"The card's default clocks could not be read, so no scan can start.",
                          caption.c_str(), MB_ICONEXCLAMATION);
        return false;
    }
    m_scan.Attach(m_hWnd);
    m_scan.Start(*bounds, std::nullopt);
    return true;
}

void COskaraDlg::OfferToContinueScan() {
    const std::wstring stored = m_host.Settings().ReadString(L"", Settings::ScanState, L"");
    if (stored.empty()) return;
    const std::optional<ScanState> state = ParseScanState(stored);
    const std::optional<ScanBounds> bounds = state ? StoredScanBounds(*state) : std::nullopt;
    if (!bounds) {
        m_host.Settings().WriteString(L"", Settings::ScanState, L"");
        return;
    }
    const double mhz = state->candidateKhz / 1000.0;
    std::wstring where;
    switch (state->domain) {
    case ScanDomain::Core:
    case ScanDomain::Together: where = L"core " + std::to_wstring(TruncToInt(mhz)); break;
    case ScanDomain::Shader: where = L"shader " + std::to_wstring(TruncToInt(mhz)); break;
    case ScanDomain::Memory: where = L"memory " + std::to_wstring(TruncToInt(mhz * GetMemoryClockFactor())); break;
    }
    const std::wstring question = L"The clock scan stopped at " + where + L" MHz. Continue it?";
    const HWND owner = IsWindowVisible() ? m_hWnd : nullptr;
    if (MessageBoxW(owner, question.c_str(), m_host.MessageCaption().c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        m_host.Settings().WriteString(L"", Settings::ScanState, L"");
        return;
    }
    m_scan.Attach(m_hWnd);
    m_scan.Start(*bounds, state);
    OpenScanWindow();
}

// Only the sliders: the card runs what it ran until the user's Apply.
void COskaraDlg::PutScanOnSliders(const CardClocks& clocks) {
    SetClockSlider(ClockSlider::Core, TruncToInt(clocks.core));
    SetClockSlider(ClockSlider::Memory, TruncToInt(clocks.memory * GetMemoryClockFactor()));
    if (clocks.shader > 0) SetClockSlider(ClockSlider::Shader, TruncToInt(clocks.shader));
    UpdateValueLabels();
}

void COskaraDlg::SaveScanAsProfile(const CardClocks& clocks, HWND boxOwner) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t name[64];
    swprintf(name, 64, L"Scan %04u-%02u-%02u %02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
    PROFILE profile{};
    SetProfileName(profile, name);
    profile.core = TruncToInt(clocks.core);
    profile.memory = TruncToInt(clocks.memory);
    profile.shader = TruncToInt(clocks.shader);
    const int fan = m_fanSlider.GetPos();
    profile.fan = static_cast<uint8_t>(IsAutomaticFan(fan) ? kFanAutomaticPosition : fan);
    const std::wstring caption = m_host.MessageCaption();
    switch (m_host.Profiles().Create(profile)) {
    case ProfileBook::CreateResult::Created:
        MessageBoxW(boxOwner, (L"Saved as the profile \"" + std::wstring(name) + L"\".").c_str(), caption.c_str(),
                    MB_ICONINFORMATION);
        break;
    case ProfileBook::CreateResult::Full:
        MessageBoxW(boxOwner, kProfileListFullText, caption.c_str(), MB_ICONEXCLAMATION);
        break;
    case ProfileBook::CreateResult::NoClocks:
    case ProfileBook::CreateResult::CardUnknown:
        MessageBoxW(boxOwner, L"The card could not be identified, so profiles cannot be kept.", caption.c_str(),
                    MB_ICONEXCLAMATION);
        break;
    }
}
