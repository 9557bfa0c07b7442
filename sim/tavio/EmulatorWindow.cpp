#include "sim/tavio/EmulatorWindow.h"

#include <string>

#include "sim/tavio/PanelTables.h"

namespace {

constexpr wchar_t kClassName[] = L"OskaraTavioEmulator";
constexpr int kClientWidth = 400;
constexpr int kClientHeight = 244;
constexpr int kScale = 3;
constexpr int kMargin = 10;
// Where the parts of the screen are drawn, in client pixels.
constexpr int kDigitsTop = 10, kDigitWidth = 16, kDigitHeight = 28, kDigitPitch = 24, kFieldPitch = 130;
constexpr int kLampsTop = kDigitsTop + kDigitHeight + 6, kLampSize = 12;
constexpr int kBarsTop = 92, kBarLeft = 60, kCellPitch = 15, kCellWidth = 11, kCellHeight = 10, kBarPitch = 16;
constexpr int kBarUnitLeft = kBarLeft + 20 * kCellPitch + 4;

// What each lamp is on the device's glass: under each clock field its name and its unit (both lit
// while connected) and the mark of the clock being edited; the legends before the bars (the fan's
// blinks in the fan menus) and the bars' units after them.
struct LampPlace {
    int x, y;
    const wchar_t* label;
};
const LampPlace kLampPlaces[panel::kLamps] = {
    {kMargin, kBarsTop + kBarPitch - 1, L"fan"},
    {kMargin, kBarsTop - 1, L"temp"},
    {kMargin, kLampsTop, L"core"},
    {kMargin + 54, kLampsTop, L"MHz"},
    {kMargin + 94, kLampsTop, L"edit"},
    {kMargin + kFieldPitch, kLampsTop, L"memory"},
    {kMargin + kFieldPitch + 54, kLampsTop, L"MHz"},
    {kMargin + kFieldPitch + 94, kLampsTop, L"edit"},
    {kMargin + 2 * kFieldPitch, kLampsTop, L"shader"},
    {kMargin + 2 * kFieldPitch + 54, kLampsTop, L"MHz"},
    {kMargin + 2 * kFieldPitch + 94, kLampsTop, L"edit"},
    {kBarUnitLeft, kBarsTop - 1, L"\u00B0C"},
    {kBarUnitLeft, kBarsTop + kBarPitch - 1, L"%"},
};
constexpr int kTextTop = 130;
constexpr int kKeysTop = 170, kKeyWidth = 90, kKeyHeight = 30;
constexpr int kKeyCentres[3] = {kMargin + kScale * 15 + 1, kMargin + kScale * 62 + 1, kMargin + kScale * 107 + 1};
constexpr PanelKey kKeys[3] = {PanelKey::Left, PanelKey::Middle, PanelKey::Right};

const COLORREF kGlass = RGB(18, 22, 26), kDark = RGB(40, 48, 54), kLit = RGB(120, 230, 255);

void Fill(HDC dc, int x, int y, int w, int h, COLORREF colour) {
    RECT r{x, y, x + w, y + h};
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// One segment of a digit whose box starts at (x, y).
void Segment(HDC dc, int x, int y, int segment, bool lit) {
    const int w = kDigitWidth, h = kDigitHeight / 2, t = 3;
    struct Box {
        int x, y, w, h;
    };
    const Box boxes[panel::kSegments] = {
        {t, 0, w - 2 * t, t}, {0, t, t, h - t}, {w - t, t, t, h - t}, {t, h - 1, w - 2 * t, t},
        {0, h + t - 1, t, h - t}, {w - t, h + t - 1, t, h - t}, {t, 2 * h - t, w - 2 * t, t}};
    const Box& b = boxes[segment];
    Fill(dc, x + b.x, y + b.y, b.w, b.h, lit ? kLit : kDark);
}

void Label(HDC dc, int x, int y, const wchar_t* text) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(150, 160, 170));
    TextOutW(dc, x, y, text, static_cast<int>(wcslen(text)));
    SetBkMode(dc, OPAQUE);
}

// Everything of the decoder that the window draws.
std::vector<uint8_t> Snapshot(const PanelDecoder& decoder) {
    std::vector<uint8_t> shown;
    for (size_t address = 0; address < panel::kSegmentBytes; ++address) shown.push_back(decoder.SegmentByte(address));
    for (int y = 0; y < PanelDecoder::kTextHeight; ++y)
        for (int x = 0; x < PanelDecoder::kTextWidth; ++x) shown.push_back(decoder.Pixel(x, y));
    const size_t errors = decoder.Errors().size();
    for (size_t byte = 0; byte < sizeof(errors); ++byte) shown.push_back(static_cast<uint8_t>(errors >> (8 * byte)));
    return shown;
}

}  // namespace

CEmulatorWindow::~CEmulatorWindow() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

RECT CEmulatorWindow::LampRect(int lamp) {
    if (lamp < 0 || lamp >= panel::kLamps) return RECT{};
    const LampPlace& place = kLampPlaces[lamp];
    return RECT{place.x, place.y, place.x + kLampSize, place.y + kLampSize};
}

RECT CEmulatorWindow::KeyRect(int key) {
    const int centre = kKeyCentres[key];
    return RECT{centre - kKeyWidth / 2, kKeysTop, centre + kKeyWidth / 2, kKeysTop + kKeyHeight};
}

bool CEmulatorWindow::Create(HINSTANCE instance, HWND below) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, style, FALSE);
    RECT place{0, 0, 0, 0};
    if (below) GetWindowRect(below, &place);
    m_hwnd = CreateWindowExW(0, kClassName, kTitle, style, place.left, place.bottom + 8, frame.right - frame.left,
                             frame.bottom - frame.top, nullptr, nullptr, instance, this);
    if (!m_hwnd) return false;
    m_plugButton = CreateWindowExW(0, L"BUTTON", L"Unplug", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kMargin,
                                   kKeysTop + kKeyHeight + 12, 90, 24, m_hwnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPlugButtonId)), instance, nullptr);
    SendMessageW(m_plugButton, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    m_emulator.SetScreenListener([this] { ScreenChanged(); });
    ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    return true;
}

LRESULT CALLBACK CEmulatorWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<CEmulatorWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CEmulatorWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        self->m_emulator.SetScreenListener(nullptr);
        self->m_hwnd = nullptr;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return self->Handle(msg, wp, lp);
}

LRESULT CEmulatorWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case kCostMessage:
        return static_cast<LRESULT>(m_emulator.Cost().Microseconds());
    case WM_PAINT: {
        const CEmulatorCost::Section counted(m_emulator.Cost());
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        Paint(dc);
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN: {
        const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        for (int key = 0; key < 3; ++key) {
            const RECT r = KeyRect(key);
            if (PtInRect(&r, at)) {
                SetCapture(m_hwnd);
                KeyDown(key);
            }
        }
        SetFocus(m_hwnd);
        return 0;
    }
    case WM_LBUTTONUP:
        if (GetCapture() == m_hwnd) ReleaseCapture();
        KeyUp();
        return 0;
    case WM_KEYDOWN:
        // Keyboard auto-repeat sends nothing: the program repeats a held key itself.
        if (wp >= '1' && wp <= '3' && !(lp & (1 << 30))) KeyDown(static_cast<int>(wp - '1'));
        return 0;
    case WM_KEYUP:
        if (wp >= '1' && wp <= '3') KeyUp();
        return 0;
    // The key-up goes to whatever took the focus (a question the program asks, say): the key is
    // let go now, as a finger lifted, or the program would repeat it for ever.
    case WM_KILLFOCUS:
        KeyUp();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wp) == kPlugButtonId) TogglePlug();
        return 0;
    case WM_CLOSE:
        ShowWindow(m_hwnd, SW_MINIMIZE);
        return 0;
    default:
        return DefWindowProcW(m_hwnd, msg, wp, lp);
    }
}

void CEmulatorWindow::KeyDown(int key) {
    if (m_held >= 0) return;
    m_held = key;
    m_emulator.Press(kKeys[key]);
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CEmulatorWindow::ScreenChanged() {
    std::vector<uint8_t> shown = Snapshot(m_emulator.Panel());
    if (shown == m_shown) return;
    m_shown = std::move(shown);
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CEmulatorWindow::KeyUp() {
    if (m_held < 0) return;
    m_held = -1;
    m_emulator.Press(PanelKey::Release);
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CEmulatorWindow::TogglePlug() {
    if (m_emulator.Plugged())
        m_emulator.Unplug();
    else
        m_emulator.Plug();
    SetWindowTextW(m_plugButton, m_emulator.Plugged() ? L"Unplug" : L"Plug");
    SetFocus(m_hwnd);
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

namespace {

// What the glass shows, read through the emulator's own table of the segment memory.
struct Glass {
    bool segments[panel::kFields][panel::kDigits][panel::kSegments] = {};
    bool lamps[panel::kLamps] = {};
    bool cells[2][panel::kBarCells] = {};

    Glass() = default;
    explicit Glass(const PanelDecoder& decoder) {
        for (size_t address = 0; address < panel::kSegmentBytes; ++address) {
            const uint8_t byte = decoder.SegmentByte(address);
            if (panel::IsCellAddress(address)) {
                Take(panel::RoleOf(address, 0), byte == panel::kCellOn);
                continue;
            }
            for (int bit = 0; bit < 8; ++bit) Take(panel::RoleOf(address, bit), (byte >> bit) & 1);
        }
    }

    void Take(const panel::Role& role, bool on) {
        using K = panel::Role;
        if (role.kind == K::DigitSegment && role.field < panel::kFields && role.digit < panel::kDigits &&
            role.segment < panel::kSegments)
            segments[role.field][role.digit][role.segment] = on;
        else if ((role.kind == K::Lamp || role.kind == K::LampCell) && role.index < panel::kLamps)
            lamps[role.index] = on;
        else if (role.kind == K::TemperatureCell && role.index < panel::kBarCells)
            cells[0][role.index] = on;
        else if (role.kind == K::FanCell && role.index < panel::kBarCells)
            cells[1][role.index] = on;
    }
};

// An unplugged controller has no power: its glass is dark whatever it showed last.
void PaintGlass(HDC dc, const PanelDecoder& decoder, bool powered) {
    const Glass glass = powered ? Glass(decoder) : Glass();
    for (int field = 0; field < panel::kFields; ++field) {
        const int left = kMargin + field * kFieldPitch;
        for (int digit = 0; digit < panel::kDigits; ++digit)
            for (int s = 0; s < panel::kSegments; ++s)
                Segment(dc, left + (3 - digit) * kDigitPitch, kDigitsTop, s, glass.segments[field][digit][s]);
    }
    for (int lamp = 0; lamp < panel::kLamps; ++lamp) {
        const LampPlace& place = kLampPlaces[lamp];
        Fill(dc, place.x, place.y, kLampSize, kLampSize, glass.lamps[lamp] ? kLit : kDark);
        Label(dc, place.x + kLampSize + 2, place.y - 1, place.label);
    }
    for (int bar = 0; bar < 2; ++bar) {
        const int y = kBarsTop + bar * kBarPitch;
        for (int cell = 0; cell < panel::kBarCells; ++cell)
            Fill(dc, kBarLeft + cell * kCellPitch, y, kCellWidth, kCellHeight, glass.cells[bar][cell] ? kLit : kDark);
    }
    Fill(dc, kMargin, kTextTop, PanelDecoder::kTextWidth * kScale, PanelDecoder::kTextHeight * kScale, RGB(0, 0, 0));
    for (int y = 0; y < PanelDecoder::kTextHeight; ++y)
        for (int x = 0; x < PanelDecoder::kTextWidth; ++x)
            if (powered && decoder.Pixel(x, y)) Fill(dc, kMargin + x * kScale, kTextTop + y * kScale, kScale, kScale, kLit);
}

}  // namespace

void CEmulatorWindow::Paint(HDC target) {
    HDC dc = CreateCompatibleDC(target);
    HBITMAP picture = CreateCompatibleBitmap(target, kClientWidth, kClientHeight);
    HGDIOBJ oldPicture = SelectObject(dc, picture);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    Fill(dc, 0, 0, kClientWidth, kClientHeight, kGlass);
    PaintGlass(dc, m_emulator.Panel(), m_emulator.Plugged());

    static const wchar_t* const kKeyNames[3] = {L"Left  (1)", L"Middle  (2)", L"Right  (3)"};
    for (int key = 0; key < 3; ++key) {
        const RECT r = KeyRect(key);
        Fill(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, m_held == key ? RGB(90, 110, 120) : RGB(60, 70, 78));
        RECT text = r;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(230, 235, 240));
        DrawTextW(dc, kKeyNames[key], -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SetBkMode(dc, OPAQUE);
    }
    std::wstring status = m_emulator.Plugged() ? L"plugged in" : L"unplugged";
    if (!m_emulator.Panel().Errors().empty())
        status += L", " + std::to_wstring(m_emulator.Panel().Errors().size()) + L" malformed reports";
    Label(dc, kMargin + 100, kKeysTop + kKeyHeight + 17, status.c_str());

    BitBlt(target, 0, 0, kClientWidth, kClientHeight, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldPicture);
    DeleteObject(picture);
    DeleteDC(dc);
}
