#include "ui/OskaraDlg.h"

#include <windowsx.h>

#include "framework/CentredMessageBox.h"

#include "store/ProfileStore.h"
#include "store/Settings.h"
#include "gpu/GpuControl.h"
#include "res/resource.h"
#include "ui/ClockCoupling.h"
#include "ui/ClockTestZone.h"
#include "gpu/FanPosition.h"
#include "ui/MemoryClockFactor.h"
#include "ui/PollReadings.h"
#include "ui/OptionsDlg.h"
#include "ui/SliderRange.h"
#include "ui/TemperatureGauge.h"
#include "ui/Truncate.h"
#include "ui/ValueLabels.h"

namespace {
constexpr COLORREF kNormalThumb = 0x0000ACFC, kSelectedThumb = 0x0093E2FF;
}  // namespace

COskaraDlg::COskaraDlg(Host& host, CWnd* parent)
    : CDialog(IDD_OSKARA_DIALOG, parent), m_host(host), m_gpu(std::make_unique<CGpuControl>()), m_card(*m_gpu) {
    BindControl(m_shaderSlider, IDC_SHADER_SLIDER);
    BindControl(m_memorySlider, IDC_MEMORY_SLIDER);
    BindControl(m_coreSlider, IDC_CORE_SLIDER);
    BindControl(m_fanSlider, IDC_FAN_SLIDER);
    BindControl(m_coreLabel, IDC_CORE_VALUE);
    BindControl(m_memoryLabel, IDC_MEMORY_VALUE);
    BindControl(m_shaderLabel, IDC_SHADER_VALUE);
    BindControl(m_fanLabel, IDC_FAN_VALUE);
    BindControl(m_temperatureLabel, IDC_TEMPERATURE);
    BindControl(m_options, IDC_OPTIONS);
    BindControl(m_minimize, IDC_MINIMIZE);
    BindControl(m_close, IDC_CLOSE);
    BindControl(m_profiles, IDC_PROFILES);
    BindControl(m_apply, IDC_APPLY);
    BindControl(m_reset, IDC_RESET);

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    m_icon = LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    IdentifyCard();
}

COskaraDlg::~COskaraDlg() { DestroyWindow(); }

void COskaraDlg::IdentifyCard() {
    try {
        m_gpu->Bind();
    } catch (const DriverBindError&) {
        MessageBoxW(nullptr, L"Brenmar Oskara requires an NVIDIA VGA adapter.", m_host.MessageCaption().c_str(),
                    MB_ICONERROR);
        PostQuitMessage(0);
    }
    uint16_t vendor = 0, device = 0;
    const bool pciKnown = m_card.Identify(vendor, device);
    m_host.SetCardKey(pciKnown ? ProfileStore::CardKey(vendor, device) : L"");
}

bool COskaraDlg::OnInitDialog() {
    for (CMySliderControl* slider : {&m_coreSlider, &m_memorySlider, &m_shaderSlider, &m_fanSlider})
        slider->SetThumbColors(kNormalThumb, kSelectedThumb);
    CardClocks defaults;
    m_card.DefaultClocks(defaults);
    const SliderRange coreRange = ClockSliderRange(defaults.core),
                      memoryRange = ClockSliderRange(defaults.memory * GetMemoryClockFactor()),
                      shaderRange = ClockSliderRange(defaults.shader);
    m_coreSlider.SetRange(coreRange.min, coreRange.max);
    m_memorySlider.SetRange(memoryRange.min, memoryRange.max);
    m_shaderSlider.SetRange(shaderRange.min, shaderRange.max);
    m_fanSlider.SetRange(kFanSliderRange.min, kFanSliderRange.max);
    // Until a read or the user says otherwise: Apply must never send a fixed 0 % nobody chose.
    m_fanSlider.SetPos(kFanAutomaticPosition);

    SetWindowText(OSKARA_WINDOW_TITLE);
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    ApplyScale(ScaleForDpi(WindowDpi()));
    UpdateControls();

    m_monitor.Start(m_hWnd);
    m_owner.Attach(m_hWnd);
    m_owner.TakeOver(m_seenFanPosition.value_or(kFanAutomaticPosition));
    UpdateValueLabels();
    FollowTempGuardSetting();
    PostMessage(kFollowStartMessage, 0, 0);
    SetTimer(m_hWnd, kPollTimer, kPollPeriodMs, nullptr);
    PostMessage(WM_TIMER, kPollTimer, 0);
    AttachAccess();
    return false;
}

int COskaraDlg::GetMemoryClockFactor() {
    return MemoryClockFactor(m_host.Settings(), [this](uint32_t& code) {
        if (!m_card.MemoryType()) return false;
        code = *m_card.MemoryType();
        return true;
    });
}

void COskaraDlg::UpdateValueLabels() {
    m_coreLabel.SetWindowText(ClockLabel(m_coreSlider.GetPos()));
    m_memoryLabel.SetWindowText(ClockLabel(m_memorySlider.GetPos()));
    m_shaderLabel.SetWindowText(ShaderLabel(m_shaderSlider.GetPos()));
    m_fanLabel.SetWindowText(FanLabel(m_fanSlider.GetPos(), m_owner.CurveDriving()));
    m_access.Refresh();
}

void COskaraDlg::UpdateControls() {
    CardClocks clocks;
    if (m_card.CurrentClocks(clocks))
        m_seenClocks = clocks;
    else if (m_seenClocks)
        clocks = *m_seenClocks;
    const int core = TruncToInt(clocks.core);
    const int memoryShown = TruncToInt(clocks.memory * GetMemoryClockFactor());
    const int shader = TruncToInt(clocks.shader);
    SetClockSlider(ClockSlider::Core, core);
    SetClockSlider(ClockSlider::Memory, memoryShown);
    SetClockSlider(ClockSlider::Shader, shader);
    m_shaderSlider.EnableWindow(clocks.shader != 0);

    const CardFan fan = m_card.ReadFan();
    // The curve's fixed levels are its own business: the position stays automatic.
    if (m_owner.CurveDriving())
        m_seenFanPosition = kFanAutomaticPosition;
    else if (fan.known)
        m_seenFanPosition = fan.automatic ? kFanAutomaticPosition : fan.highestPercent;
    if (m_seenFanPosition) m_fanSlider.SetPos(*m_seenFanPosition);
    m_monitor.Seen(clocks, fan);
    UpdateValueLabels();
    m_host.ShowClocksOnController(core, memoryShown, shader, TavioBarCells(fan.highestPercent));
}

void COskaraDlg::OnApply() {
    if (RefusedWhileScanning()) return;
    const double core = m_coreSlider.GetPos();
    const double memory = m_memorySlider.GetPos() / static_cast<double>(GetMemoryClockFactor());
    const double shader = m_shaderSlider.GetPos();
    const int fan = m_fanSlider.GetPos();
    // A slider at 0 is a domain the card lacks or could not be read; the GPU layer leaves a 0 MHz
    // domain alone, so the clocks the card has are written.
    std::optional<CardClocks> clocks;
    if (core > 0 || memory > 0) clocks = CardClocks{core, memory, shader};
    const Applied applied{core, memory, shader, fan};
    std::optional<CardClocks> runningBefore;
    if (NeedsConfirming(clocks, runningBefore)) {
        m_owner.PutUnconfirmed({clocks, fan}, runningBefore);
        UpdateControls();
        AskToKeep(applied);
    } else {
        EndConfirmation();
        m_owner.Confirm();
        m_owner.Put({clocks, fan});
        UpdateControls();
        StoreApplied(applied);
    }
    Invalidate(FALSE);
}

void COskaraDlg::OnReset() {
    if (RefusedWhileScanning()) return;
    EndConfirmation();
    m_owner.PutDefaults();
    ResetClockRanges();
    UpdateControls();
    Invalidate(FALSE);
}

// Only what changed is drawn again: a shown window that repaints every poll costs CPU for nothing.
void COskaraDlg::OnPoll() {
    const int32_t hottest = PollHottest();
    m_monitor.OnPoll(hottest);
    const std::wstring text = TemperatureLabel(hottest);
    if (m_temperatureLabel.GetWindowText() != text) m_temperatureLabel.SetWindowText(text);
    // The controller's bars are redrawn at every poll: the end of a profile preview asks for one.
    if (m_host.ControllerFollowsPoll()) {
        int fanPercent = 0;
        const bool fanRead = m_card.FanLevel(fanPercent);
        m_host.ShowReadingsOnController(TavioBarCells(hottest), fanRead ? TavioBarCells(fanPercent) : -1);
    }
    ShowTrayTip(hottest);
    if (hottest == m_temperature) return;
    m_temperature = hottest;
    const RECT slot{kGaugeSlotX * m_scale, kGaugeSlotTop * m_scale, kGaugeSlotX * m_scale + m_gaugeImage.GetWidth(),
                    kGaugeSlotTop * m_scale + m_gaugeImage.GetHeight()};
    InvalidateRect(m_hWnd, &slot, FALSE);
}

// The clocks and fan are the ones the window read last: the poll reads only the temperature.
void COskaraDlg::ShowTrayTip(int32_t hottest) {
    std::optional<std::wstring> fan;
    if (m_seenFanPosition)
        fan = FanReading(*m_seenFanPosition, m_owner.CurveDriving(), m_owner.Curve().Level());
    const std::wstring tip =
        TrayTip(hottest, m_seenClocks, GetMemoryClockFactor(), fan, m_tempGuardActed, FollowedProgramTip());
    if (tip != m_trayTip) m_host.ShowTrayTip(m_trayTip = tip);
}

CSliderCtrl& COskaraDlg::Slider(ClockSlider which) {
    switch (which) {
    case ClockSlider::Core: return m_coreSlider;
    case ClockSlider::Memory: return m_memorySlider;
    case ClockSlider::Shader: break;
    }
    return m_shaderSlider;
}

int COskaraDlg::ClockSliderPos(ClockSlider which) { return Slider(which).GetPos(); }

void COskaraDlg::MoveClockSlider(ClockSlider which, int position) {
    Slider(which).SetPos(position);
    OnSliderMoved(which);
}

int COskaraDlg::FanSliderPos() { return m_fanSlider.GetPos(); }

void COskaraDlg::SetFanSlider(int position) { m_fanSlider.SetPos(position); }

// The trackbar takes no range change while enabled without redrawing at each step; disabling it
// drops the keyboard focus, which goes back to it.
void COskaraDlg::SetClockRange(CSliderCtrl& slider, int min, int max) {
    const int pos = slider.GetPos();
    const bool focused = GetFocus() == slider.m_hWnd;
    slider.EnableWindow(FALSE);
    if (max != slider.GetRangeMax()) slider.SetRangeMax(max);
    if (min != slider.GetRangeMin()) slider.SetRangeMin(min);
    slider.SetPos(pos);
    slider.EnableWindow(TRUE);
    if (focused) ::SetFocus(slider.m_hWnd);
}

void COskaraDlg::SetClockSlider(ClockSlider which, int value) {
    CSliderCtrl& slider = Slider(which);
    const SliderRange range{slider.GetRangeMin(), slider.GetRangeMax()};
    const SliderRange holding = RangeHolding(range, value);
    if (!(holding == range)) {
        const bool enabled = IsWindowEnabled(slider.m_hWnd);
        SetClockRange(slider, holding.min, holding.max);
        if (!enabled) slider.EnableWindow(FALSE);
    }
    slider.SetPos(value);
}

void COskaraDlg::OnScroll(HWND slider) {
    for (ClockSlider which : {ClockSlider::Core, ClockSlider::Memory, ClockSlider::Shader}) {
        if (Slider(which).m_hWnd == slider) return OnSliderMoved(which);
    }
    UpdateValueLabels();
}

void COskaraDlg::OnSliderMoved(ClockSlider which) {
    const ClockCeilings ceilings = SliderCeilings();
    CSliderCtrl& moved = Slider(which);
    const SliderRange range{moved.GetRangeMin(), moved.GetRangeMax()};
    const SliderRange grown = GrownClockRange(range, moved.GetPos(), CeilingOf(ceilings, which));
    if (!(grown == range)) SetClockRange(moved, grown.min, grown.max);
    if (ceilings.tied && which == ClockSlider::Core)
        HoldTiedSlider(ClockSlider::Shader, ShaderForCore(m_coreSlider.GetPos()), ceilings.shader);
    if (ceilings.tied && which == ClockSlider::Shader)
        HoldTiedSlider(ClockSlider::Core, CoreForShader(m_shaderSlider.GetPos()), ceilings.core);
    UpdateValueLabels();
}

void COskaraDlg::PaintSkin(HDC dc) {
    m_skinImage.Draw(dc, 0, 0);
}

void COskaraDlg::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    if (IsIconic(m_hWnd)) {
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        RECT client;
        GetClientRect(m_hWnd, &client);
        const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc, x, y, m_icon);
    } else {
        PaintSkin(dc);
        // The gauge's steps are those of the unscaled bitmap, each drawn as whole blocks.
        const int s = m_scale;
        const GaugeCopy copy = GaugeCopyFor(m_temperature, m_gaugeImage.GetHeight() / s);
        if (copy.rows > 0) m_gaugeImage.DrawRows(dc, copy.destX * s, copy.destY * s, copy.sourceY * s, copy.rows * s);
    }
    EndPaint(m_hWnd, &paint);
}

void COskaraDlg::OnLButtonDown(int x, int y) {
    // The button is up once the test's message box closes: a drag started now would follow the
    // mouse with no button held.
    if (InClockTestZone(x / m_scale, y / m_scale)) return RunClockTest();
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(x, y));
}

bool COskaraDlg::InGauge(int x, int y) const {
    const int left = kGaugeSlotX * m_scale, top = kGaugeSlotTop * m_scale;
    return x >= left && x < left + m_gaugeImage.GetWidth() && y >= top && y < top + m_gaugeImage.GetHeight();
}

void COskaraDlg::RunClockTest() {
    if (BoxIfScanning()) return;
    CardClocks clocks{static_cast<double>(m_coreSlider.GetPos()), static_cast<double>(m_memorySlider.GetPos()),
                      static_cast<double>(m_shaderSlider.GetPos())};
    int passed = 0;
    m_clockTestRunning = true;
    clocks.memory /= GetMemoryClockFactor();
    const std::wstring caption = m_host.MessageCaption();
    const wchar_t* title = caption.c_str();
    if (!m_card.TestClocks(clocks, passed))
        CentredMessageBox(m_hWnd, L"Clock Test not supported on this Platform/Device.", title, MB_ICONINFORMATION);
    else if (passed)
        CentredMessageBox(m_hWnd, L"Clock Test completed successfully.", title, MB_ICONINFORMATION);
    else
        CentredMessageBox(m_hWnd, L"Clock Test failed.", title, MB_ICONEXCLAMATION);
    m_clockTestRunning = false;
    Invalidate(FALSE);
}

void COskaraDlg::OnActivate(WPARAM state) {
    if (LOWORD(state) != WA_INACTIVE && !HIWORD(state) && !IsIconic(m_hWnd) && !m_clockTestRunning && !CardLent())
        UpdateControls();
}

LRESULT COskaraDlg::OnPowerBroadcast(WPARAM event, LPARAM data) {
    // The clocks survive a suspend, the fan setting may not.
    if (event == PBT_APMSUSPEND) m_owner.OnSuspend();
    if (event == PBT_APMRESUMEAUTOMATIC) m_owner.PutBackFanAfterResume();
    // The driver may still be waking: the clocks go back a little later.
    if (event == PBT_APMRESUMEAUTOMATIC && Settings::Read(m_host.Settings(), Settings::ReapplyOnResume) == 1)
        SetTimer(m_hWnd, kReapplyTimer, kReapplyDelayMs, nullptr);
    return CDialog::WindowProc(WM_POWERBROADCAST, event, data);
}

void COskaraDlg::OnEndSession(bool ending) {
    if (!ending) return;
    EndScan();
    // Unconfirmed clocks never outlive the session.
    m_owner.Release();
    EndConfirmation();
    UpdateControls();
    m_host.EndSession();
}

// However the window goes (Close, the tray's exit, the program's end), unconfirmed clocks go back
// and a fan the curve holds at a fixed level is handed back.
void COskaraDlg::OnDestroy() {
    EndScan();
    m_programWatch.reset();
    // A program's profile is not left on the card by the program's end.
    if (m_follower.Stop().kind == FollowStep::Kind::PutBack) m_owner.PutBackBeforePrograms();
    m_owner.Release();
    EndConfirmation();
}

// Only a click: an owner-drawn button's double-click notification must not run Apply twice.
bool COskaraDlg::OnCommand(WORD id, WORD code) {
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_CLOSE: DestroyWindow(); return true;
    case IDC_MINIMIZE: ShowWindow(SW_HIDE); return true;
    case IDC_RESET:
        if (!BoxIfScanning()) OnReset();
        return true;
    case IDC_APPLY:
        if (!BoxIfScanning()) OnApply();
        return true;
    case IDC_PROFILES: OnProfiles(); return true;
    // The settings may start the curve or change the memory factor the scan's bounds hold.
    case IDC_OPTIONS:
        if (!BoxIfScanning()) OnOptions();
        return true;
    case ID_TRAY_MONITOR: OpenMonitor(); return true;
    case ID_TRAY_SCAN: OpenScanWindow(); return true;
    }
    return false;
}

// The window is disabled while the dialog runs and refreshes itself from the card when it is
// activated again, so it shows what an activated profile put there.
void COskaraDlg::OnProfiles() {
    CProfilesDlg dialog(m_host.Profiles(), *this);
    dialog.DoModal();
}

// Whatever the result: a cancelled dialog leaves the factor as it was, and the reset is harmless.
void COskaraDlg::OnOptions() {
    COptionsDlg dialog(m_host.Settings(), m_host.Profiles().List(), m_host.ControllerConnected());
    dialog.SetFanCurveReading([this] { return m_owner.Curve().Reading(); });
    const bool stored = dialog.DoModal() == IDOK;
    // The tray's Exit ends the window under the dialog; the object lives until this returns.
    if (!m_hWnd) return;
    if (stored) m_host.OptionsStored();
    // Also after Cancel: the curve editor stores on its own OK. Unchanged settings write nothing.
    m_owner.SettingsChanged();
    FollowTempGuardSetting();
    FollowProgramsSetting();
    ResetMemorySlider();
    UpdateControls();
}

void COskaraDlg::ResetMemorySlider() {
    CardClocks defaults;
    m_card.DefaultClocks(defaults);
    const double shownDefault = defaults.memory * GetMemoryClockFactor();
    const SliderRange range = ClockSliderRange(shownDefault);
    m_memorySlider.SetRange(range.min, range.max);
    m_memorySlider.SetPos(TruncToInt(shownDefault));
}

CProfilesDlg::Host::Sliders COskaraDlg::SliderPositions() {
    return {m_coreSlider.GetPos(), m_memorySlider.GetPos(), m_shaderSlider.GetPos(), m_fanSlider.GetPos()};
}

// The GPU selected last only, and nothing stored: a profile is tried, Apply makes it stick.
void COskaraDlg::ActivateProfile(const PROFILE& profile) {
    if (!RefusedWhileScanning()) PutProfile(profile, CCardOwner::Reach::SelectedGpu);
}

void COskaraDlg::PostNcDestroy() {
    m_host.MainDialogGone(this);
    delete this;
}

LRESULT COskaraDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        // The skin, not the dialog's grey: a label's first erase keeps what lies under it.
        if (IsIconic(m_hWnd) || !m_skinImage.HasImage()) break;
        PaintSkin(reinterpret_cast<HDC>(wp));
        return 1;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_icon);
    case WM_LBUTTONDOWN:
        OnLButtonDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        break;
    case WM_LBUTTONDBLCLK:
        if (InGauge(GET_X_LPARAM(lp), GET_Y_LPARAM(lp))) OpenMonitor();
        break;
    case WM_ACTIVATE: {
        const LRESULT result = CDialog::WindowProc(msg, wp, lp);
        OnActivate(wp);
        return result;
    }
    case WM_HSCROLL: {
        const LRESULT result = CDialog::WindowProc(msg, wp, lp);
        OnScroll(reinterpret_cast<HWND>(lp));
        return result;
    }
    case WM_TIMER:
        // While the driver runs a test, each tick keeps what was read last.
        if (CardLent() && wp != kConfirmTimer) break;
        if (wp == kPollTimer) OnPoll();
        if (wp == CMonitorFeed::kSampleTimer) m_monitor.OnSampleTimer();
        if (wp == kConfirmTimer) OnConfirmTick();
        if (wp == kReapplyTimer) OnReapplyTimer();
        if (wp == kFollowTimer) OnFollowTimer();
        if (wp == CFanCurveDriver::kTimer) m_owner.Curve().OnTimer();
        m_access.Refresh();
        break;
    case CClockTestWorker::kAnswerMessage:
        OnClockTestAnswer(static_cast<ClockTestAnswer>(wp), lp);
        return 0;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wp), HIWORD(wp))) return 0;
        break;
    case WM_ENDSESSION:
        OnEndSession(wp != FALSE);
        break;
    case WM_POWERBROADCAST:
        return OnPowerBroadcast(wp, lp);
    case kProgramEndedMessage:
        OnProgramEnded(static_cast<uint32_t>(wp));
        return 0;
    case kFollowStartMessage:
        FollowProgramsSetting();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        break;
    case DM_GETDEFID:
        return MAKELRESULT(EnterCommand(), DC_HASDEFID);
    case WM_DPICHANGED:
        OnDpiChanged(wp, *reinterpret_cast<const RECT*>(lp));
        return 0;
    }
    return CDialog::WindowProc(msg, wp, lp);
}
