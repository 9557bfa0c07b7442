#include "ui/OskaraDlg.h"

#include <windowsx.h>

#include "app/OskaraApp.h"
#include "app/ProfileStore.h"
#include "app/Settings.h"
#include "gpu/GpuControl.h"
#include "res/resource.h"
#include "ui/ClockCoupling.h"
#include "ui/ClockTestZone.h"
#include "ui/FanPosition.h"
#include "ui/MemoryClockFactor.h"
#include "ui/PollReadings.h"
#include "ui/SliderRange.h"
#include "ui/TemperatureGauge.h"
#include "ui/Truncate.h"
#include "ui/ValueLabels.h"

namespace {
struct ButtonPlace {
    int id;
    RECT rect;  // client pixels on the skin's button places
};
constexpr ButtonPlace kButtonPlaces[] = {
    {IDC_OPTIONS, {530, 56, 585, 84}}, {IDC_CLOSE, {503, 56, 530, 84}},   {IDC_MINIMIZE, {474, 56, 501, 84}},
    {IDC_APPLY, {334, 227, 419, 249}}, {IDC_RESET, {234, 227, 319, 249}}, {IDC_PROFILES, {163, 227, 235, 246}},
};

HFONT CreateLabelFont(int height) {
    return CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, 0x31, L"Arial");
}
}  // namespace

COskaraDlg::COskaraDlg(COskaraApp& app, CWnd* parent)
    : CDialog(IDD_OSKARA_DIALOG, parent), m_app(app), m_gpu(std::make_unique<CGpuControl>()) {
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

    m_icon = LoadIconW(app.Instance(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    IdentifyCard();
    m_gauge.Reset(static_cast<HBITMAP>(
        LoadImageW(app.Instance(), MAKEINTRESOURCEW(IDB_GAUGE), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

COskaraDlg::~COskaraDlg() { DestroyWindow(); }

void COskaraDlg::IdentifyCard() {
    try {
        m_gpu->Bind();
    } catch (const DriverBindError&) {
        MessageBoxW(nullptr, L"Brenmar Oskara requires an NVIDIA VGA adapter.", m_app.AppName().c_str(),
                    MB_ICONERROR);
        PostQuitMessage(0);
    }
    m_gpu->GetGroupGpuIndexes(m_gpuGroup);

    uint16_t vendor = 0, device = 0;
    m_app.SetCardKey(m_gpu->GetPciIds(vendor, device) ? ProfileStore::CardKey(vendor, device) : L"");

    double core = 0, memory = 0, shader = 0;
    while (m_gpu->GetLevelDefaultClocks(m_topLevel + 1, core, memory, shader)) ++m_topLevel;
    core = memory = shader = 0;
    m_gpu->GetLevelDefaultClocks(m_topLevel, core, memory, shader);
    m_cardHasShaderClock = shader != 0;
}

bool COskaraDlg::OnInitDialog() {
    double core = 0, memory = 0, shader = 0;
    m_gpu->GetLevelDefaultClocks(m_topLevel, core, memory, shader);
    memory *= GetMemoryClockFactor();
    const SliderRange coreRange = ClockSliderRange(core), memoryRange = ClockSliderRange(memory),
                      shaderRange = ClockSliderRange(shader);
    m_coreSlider.SetRange(coreRange.min, coreRange.max);
    m_memorySlider.SetRange(memoryRange.min, memoryRange.max);
    m_shaderSlider.SetRange(shaderRange.min, shaderRange.max);
    m_fanSlider.SetRange(kFanSliderRange.min, kFanSliderRange.max);

    SetWindowText(COskaraApp::kTitle);
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    CreateFonts();
    PlaceButtons();
    UpdateControls();

    SetTimer(m_hWnd, kPollTimer, kPollPeriodMs, nullptr);
    PostMessage(WM_TIMER, kPollTimer, 0);
    return true;
}

void COskaraDlg::CreateFonts() {
    m_labelFont.Reset(CreateLabelFont(14));
    m_temperatureFont.Reset(CreateLabelFont(16));
    for (CStatic* label : {&m_coreLabel, &m_memoryLabel, &m_shaderLabel, &m_fanLabel})
        label->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_labelFont.Get()), TRUE);
    m_temperatureLabel.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_temperatureFont.Get()), TRUE);
}

void COskaraDlg::PlaceButtons() {
    for (const ButtonPlace& place : kButtonPlaces) {
        const RECT& r = place.rect;
        MoveWindow(GetDlgItem(place.id), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
}

int COskaraDlg::GetMemoryClockFactor() {
    return MemoryClockFactor(m_app.Settings(), [this](uint32_t& code) { return m_gpu->GetMemoryType(code); });
}

void COskaraDlg::UpdateValueLabels() {
    m_coreLabel.SetWindowText(ClockLabel(m_coreSlider.GetPos()));
    m_memoryLabel.SetWindowText(ClockLabel(m_memorySlider.GetPos()));
    m_shaderLabel.SetWindowText(ShaderLabel(m_shaderSlider.GetPos()));
    m_fanLabel.SetWindowText(FanLabel(m_fanSlider.GetPos()));
}

void COskaraDlg::UpdateControls() {
    double core = 0, memory = 0, shader = 0;
    m_gpu->GetLevelCurrentClocks(m_topLevel, core, memory, shader);
    memory *= GetMemoryClockFactor();
    m_coreSlider.SetPos(TruncToInt(core));
    m_memorySlider.SetPos(TruncToInt(memory));
    m_shaderSlider.SetPos(TruncToInt(shader));
    m_shaderSlider.EnableWindow(shader != 0);

    int highestFan = 0;
    for (uint32_t gpu : m_gpuGroup) {
        m_gpu->SelectGpu(gpu);
        int level = 0;
        if (m_gpu->GetFanLevel(0, level) && level > highestFan) highestFan = level;
    }
    m_fanSlider.SetPos(m_gpu->IsFanAutomatic() ? kFanAutomaticPosition : highestFan);
    UpdateValueLabels();
}

void COskaraDlg::SetFan(int position) {
    if (IsAutomaticFan(position))
        m_gpu->SetFanLevel(-1, 0);
    else
        m_gpu->SetFanLevel(0, position);
}

void COskaraDlg::OnApply() {
    const double core = m_coreSlider.GetPos();
    const double memory = m_memorySlider.GetPos() / static_cast<double>(GetMemoryClockFactor());
    const double shader = m_shaderSlider.GetPos();
    const int fan = m_fanSlider.GetPos();
    // Sliders at 0 mean the card could not be read; 0 MHz must never reach it.
    const bool clocksUsable = core > 0 && memory > 0;
    for (uint32_t gpu : m_gpuGroup) {
        m_gpu->SelectGpu(gpu);
        if (clocksUsable) m_gpu->SetLevelClocks(m_topLevel, core, memory, shader);
        SetFan(fan);
    }
    UpdateControls();

    SettingsStore& settings = m_app.Settings();
    Settings::Write(settings, Settings::LastCore, static_cast<uint32_t>(TruncToInt(core)));
    Settings::Write(settings, Settings::LastMem, static_cast<uint32_t>(TruncToInt(memory)));
    Settings::Write(settings, Settings::LastShader, static_cast<uint32_t>(TruncToInt(shader)));
    Settings::Write(settings, Settings::LastFan, static_cast<uint32_t>(fan));
    Invalidate(FALSE);
}

void COskaraDlg::OnReset() {
    for (uint32_t gpu : m_gpuGroup) {
        m_gpu->SelectGpu(gpu);
        double core = 0, memory = 0, shader = 0;
        // Without the defaults there is nothing sound to write.
        if (m_gpu->GetLevelDefaultClocks(m_topLevel, core, memory, shader))
            m_gpu->SetLevelClocks(m_topLevel, core, memory, shader);
        m_gpu->SetFanLevel(-1, 0);
    }
    UpdateControls();
    Invalidate(FALSE);
}

void COskaraDlg::OnPoll() {
    std::vector<int32_t> readings;
    for (uint32_t gpu : m_gpuGroup) {
        m_gpu->SelectGpu(gpu);
        THERMAL_SETTINGS thermal{};
        m_gpu->GetThermalSettings(&thermal);
        readings.push_back(thermal.sensor[0].currentTemp);
    }
    const int32_t highest = HighestTemperature(readings);
    m_temperatureLabel.SetWindowText(TemperatureLabel(highest));
    m_temperature = highest;
    Invalidate(TRUE);
}

void COskaraDlg::OnSliderMoved(HWND slider) {
    CSliderCtrl* moved = slider == m_coreSlider.m_hWnd     ? &m_coreSlider
                         : slider == m_memorySlider.m_hWnd ? &m_memorySlider
                         : slider == m_shaderSlider.m_hWnd ? &m_shaderSlider
                                                           : nullptr;
    if (moved) {
        const SliderRange range{moved->GetRangeMin(), moved->GetRangeMax()};
        const int pos = moved->GetPos();
        const SliderRange grown = GrownClockRange(range, pos);
        if (grown.max != range.max) {
            moved->EnableWindow(FALSE);
            moved->SetRangeMax(grown.max);
            moved->SetPos(pos);
            moved->EnableWindow(TRUE);
        }
        if (grown.min != range.min) {
            moved->EnableWindow(FALSE);
            moved->SetRangeMin(grown.min);
            moved->SetPos(pos);
            moved->EnableWindow(TRUE);
        }
        uint16_t vendor = 0, device = 0;
        if (m_gpu->GetPciIds(vendor, device) && CouplesCoreAndShader(device)) {
            if (moved == &m_coreSlider) m_shaderSlider.SetPos(ShaderForCore(m_coreSlider.GetPos()));
            if (moved == &m_shaderSlider) m_coreSlider.SetPos(CoreForShader(m_shaderSlider.GetPos()));
        }
    }
    UpdateValueLabels();
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
    } else if (m_gauge) {
        BITMAP info{};
        GetObjectW(m_gauge.Get(), sizeof(info), &info);
        const GaugeCopy copy = GaugeCopyFor(m_temperature, info.bmHeight);
        if (copy.rows > 0) {
            HDC memoryDc = CreateCompatibleDC(dc);
            HGDIOBJ previous = SelectObject(memoryDc, m_gauge.Get());
            BitBlt(dc, copy.destX, copy.destY, info.bmWidth, copy.rows, memoryDc, 0, copy.sourceY, SRCCOPY);
            SelectObject(memoryDc, previous);
            DeleteDC(memoryDc);
        }
    }
    EndPaint(m_hWnd, &paint);
}

void COskaraDlg::OnLButtonDown(int x, int y) {
    if (InClockTestZone(x, y)) RunClockTest();
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(x, y));
}

void COskaraDlg::RunClockTest() {
    double core = m_coreSlider.GetPos(), memory = m_memorySlider.GetPos(), shader = m_shaderSlider.GetPos();
    int passed = 0;
    m_clockTestRunning = true;
    memory /= GetMemoryClockFactor();
    const wchar_t* title = m_app.AppName().c_str();
    if (!m_gpu->TestLevelClocks(m_topLevel, core, memory, shader, passed))
        MessageBoxW(m_hWnd, L"Clock Test not supported on this Platform/Device.", title, MB_ICONINFORMATION);
    else if (passed)
        MessageBoxW(m_hWnd, L"Clock Test completed successfully.", title, MB_ICONINFORMATION);
    else
        MessageBoxW(m_hWnd, L"Clock Test failed.", title, MB_ICONEXCLAMATION);
    m_clockTestRunning = false;
    Invalidate(FALSE);
}

void COskaraDlg::OnActivate(WPARAM state) {
    if (LOWORD(state) != WA_INACTIVE && !HIWORD(state) && !IsIconic(m_hWnd) && !m_clockTestRunning) UpdateControls();
}

LRESULT COskaraDlg::OnPowerBroadcast(WPARAM event, LPARAM data) {
    if (event == PBT_APMSUSPEND) m_suspendedFanPosition = m_fanSlider.GetPos();
    // Only the selected GPU: the clocks survive a suspend, the fan setting may not.
    if (event == PBT_APMRESUMEAUTOMATIC && m_suspendedFanPosition != -1) SetFan(m_suspendedFanPosition);
    return CDialog::WindowProc(WM_POWERBROADCAST, event, data);
}

void COskaraDlg::OnEndSession(bool ending) {
    if (ending) m_app.ExitInstance();
}

void COskaraDlg::PostNcDestroy() {
    m_app.OnMainDialogDestroyed(this);
    delete this;
}

LRESULT COskaraDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_icon);
    case WM_LBUTTONDOWN:
        OnLButtonDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        break;
    case WM_ACTIVATE: {
        const LRESULT result = CDialog::WindowProc(msg, wp, lp);
        OnActivate(wp);
        return result;
    }
    case WM_HSCROLL: {
        const LRESULT result = CDialog::WindowProc(msg, wp, lp);
        OnSliderMoved(reinterpret_cast<HWND>(lp));
        return result;
    }
    case WM_TIMER:
        if (wp == kPollTimer) OnPoll();
        break;
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case IDC_CLOSE: DestroyWindow(); return 0;
        case IDC_MINIMIZE: ShowWindow(SW_HIDE); return 0;
        case IDC_RESET: OnReset(); return 0;
        case IDC_APPLY: OnApply(); return 0;
        }
        break;
    case WM_ENDSESSION:
        OnEndSession(wp != FALSE);
        break;
    case WM_POWERBROADCAST:
        return OnPowerBroadcast(wp, lp);
    }
    return CDialog::WindowProc(msg, wp, lp);
}
