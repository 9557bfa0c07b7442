// The main window at a whole factor of its skin: every place below is in client pixels at factor 1.
#include "ui/OskaraDlg.h"

#include <commctrl.h>

#include "framework/Gdi.h"
#include "res/resource.h"
#include "skin/SkinScale.h"
#include "store/Settings.h"
#include "ui/WindowDpi.h"

namespace {
struct ControlPlace {
    int id;
    RECT rect;
};
struct ButtonPlace {
    CButtonST COskaraDlg::*button;
    RECT rect;  // on the skin's button places
    int hoverImage, normalImage;
};
// Where the dialog template puts them at 96 DPI, over the skin's slots.
constexpr ControlPlace kControls[] = {
    {IDC_CORE_SLIDER, {120, 93, 389, 119}},    {IDC_MEMORY_SLIDER, {120, 124, 389, 150}},
    {IDC_SHADER_SLIDER, {120, 156, 389, 182}}, {IDC_FAN_SLIDER, {120, 190, 389, 216}},
    // The value boxes start where the sliders end: a box over a slider's edge would paint over its
    // focus frame. Their right edges are left plus the rounded width, as the template gives them.
    {IDC_CORE_VALUE, {389, 93, 457, 113}},     {IDC_MEMORY_VALUE, {389, 125, 457, 145}},
    {IDC_SHADER_VALUE, {389, 158, 457, 178}},  {IDC_FAN_VALUE, {389, 193, 457, 213}},
    {IDC_TEMPERATURE, {480, 172, 513, 201}},
};
constexpr SIZE kWindowSize{762, 327};
constexpr COLORREF kButtonFaceShows = RGB(254, 254, 254);
constexpr COLORREF kTemperatureText = 0x0000EE00;
// Read from the skin's own corner; this stands in when the corner cannot be read.
constexpr uint32_t kFallbackKey = 0x3C2951;

RECT Scaled(const RECT& r, int s) { return {r.left * s, r.top * s, r.right * s, r.bottom * s}; }

void Place(HWND control, const RECT& r) {
    MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

// A trackbar sizes its thumb, and with it places its channel, for the screen's DPI; the skin's
// slots lie where the channel of a thumb of the skin's factor falls.
constexpr int kThumbLengthAt96Dpi = 21;
void SizeThumb(HWND slider, int scale) {
    SetWindowLongPtrW(slider, GWL_STYLE, GetWindowLongPtrW(slider, GWL_STYLE) | TBS_FIXEDLENGTH);
    SendMessageW(slider, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(kThumbLengthAt96Dpi * scale), 0);
}

HFONT CreateLabelFont(int height) {
    return CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, 0x31, L"Arial");
}

// The caller owns the bitmap; null when the resource cannot be read.
HBITMAP LoadScaledBitmap(int id, int scale, HDC dc) {
    CDIB image;
    if (!image.LoadFromResource(id, GetModuleHandleW(nullptr))) return nullptr;
    image.Enlarge(scale);
    return image.CreateDeviceBitmap(dc);
}
}  // namespace

UINT COskaraDlg::WindowDpi() { return DpiOfWindow(m_hWnd); }

int COskaraDlg::ScaleForDpi(UINT dpi) { return SkinScaleFor(dpi, Settings::Read(m_host.Settings(), Settings::SkinScale)); }

void COskaraDlg::ApplyScale(int scale) {
    m_scale = scale;
    LoadScaledImages();
    ApplySkin();
    CreateFonts();
    PlaceControls();
    PlaceButtons();
    SetFocusMarks();
    SetWindowPos(m_hWnd, nullptr, 0, 0, kWindowSize.cx * scale, kWindowSize.cy * scale,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate(FALSE);
}

void COskaraDlg::LoadScaledImages() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    m_skinImage.LoadFromResource(IDB_SKIN, instance);
    m_skinImage.Enlarge(m_scale);
    m_gaugeImage.LoadFromResource(IDB_GAUGE, instance);
    m_gaugeImage.Enlarge(m_scale);
}

void COskaraDlg::ApplySkin() {
    // Without a skin there is no shape to cut: an empty region would hide the whole window.
    if (!m_skinImage.HasImage()) return;
    uint32_t key = kFallbackKey;
    m_skinImage.GetPixelValue(1, 1, key);
    // The window system owns the region from here on.
    if (HRGN region = m_skinImage.BuildRegion(key)) SetWindowRgn(m_hWnd, region, TRUE);
}

void COskaraDlg::CreateFonts() {
    m_labelFont.Reset(CreateLabelFont(14 * m_scale));
    m_temperatureFont.Reset(CreateLabelFont(16 * m_scale));
    for (CStatic* label : {&m_coreLabel, &m_memoryLabel, &m_shaderLabel, &m_fanLabel})
        label->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_labelFont.Get()), TRUE);
    m_temperatureLabel.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_temperatureFont.Get()), TRUE);
    m_temperatureLabel.SetTextColor(kTemperatureText);
}

void COskaraDlg::PlaceControls() {
    // Before the move: the trackbar lays out its channel as it takes its new size.
    for (const int id : {IDC_CORE_SLIDER, IDC_MEMORY_SLIDER, IDC_SHADER_SLIDER, IDC_FAN_SLIDER})
        SizeThumb(GetDlgItem(id), m_scale);
    for (const ControlPlace& place : kControls) Place(GetDlgItem(place.id), Scaled(place.rect, m_scale));
}

void COskaraDlg::PlaceButtons() {
    static constexpr ButtonPlace kPlaces[] = {
        {&COskaraDlg::m_options, {530, 56, 585, 84}, IDB_OPTIONS_HOVER, IDB_OPTIONS_NORMAL},
        {&COskaraDlg::m_close, {503, 56, 530, 84}, IDB_CLOSE_HOVER, IDB_CLOSE_NORMAL},
        {&COskaraDlg::m_minimize, {474, 56, 501, 84}, IDB_MINIMIZE_HOVER, IDB_MINIMIZE_NORMAL},
        {&COskaraDlg::m_apply, {334, 227, 419, 249}, IDB_APPLY_HOVER, IDB_APPLY_NORMAL},
        {&COskaraDlg::m_reset, {234, 227, 319, 249}, IDB_RESET_HOVER, IDB_RESET_NORMAL},
        {&COskaraDlg::m_profiles, {163, 227, 235, 246}, IDB_PROFILES_HOVER, IDB_PROFILES_NORMAL},
    };
    CClientDC dc(m_hWnd);
    for (const ButtonPlace& place : kPlaces) {
        CButtonST& button = this->*place.button;
        const RECT r = Scaled(place.rect, m_scale);
        Place(button.m_hWnd, r);
        button.SetPressShift(2, true);
        button.SetWindowText(L"");
        button.AssignImageHandles(LoadScaledBitmap(place.hoverImage, m_scale, dc.Get()), kButtonFaceShows,
                                  LoadScaledBitmap(place.normalImage, m_scale, dc.Get()), kButtonFaceShows);
        // The images' rounded corners show the skin under the button; the images draw their own edge.
        uint32_t under = 0;
        if (m_skinImage.GetPixelValue(r.left, r.top, under))
            button.SetFaceColour(RGB((under >> 16) & 0xFF, (under >> 8) & 0xFF, under & 0xFF));
        button.SetDrawBorder(false);
    }
}

// The suggested place, not its size: the window only takes whole factors of its skin.
void COskaraDlg::OnDpiChanged(WPARAM dpi, const RECT& suggested) {
    SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int scale = ScaleForDpi(HIWORD(dpi));
    if (scale != m_scale) ApplyScale(scale);
}
