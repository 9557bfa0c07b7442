#include "skin/ButtonST.h"

#include <windowsx.h>

#include "framework/Gdi.h"
#include "skin/ButtonImages.h"
#include "skin/ButtonLayout.h"

namespace {
constexpr LONG kTypeMask = 0x1F;
constexpr LONG kOwnerDrawn = BS_OWNERDRAW;  // 11

bool BitmapSize(HBITMAP bitmap, int& width, int& height) {
    BITMAP info{};
    if (!bitmap || GetObjectW(bitmap, sizeof(info), &info) != sizeof(info)) return false;
    width = info.bmWidth;
    height = info.bmHeight;
    return true;
}

LayoutRect ToLayout(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const LayoutRect& r) { return {r.left, r.top, r.right, r.bottom}; }

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// A one-pixel frame: top and left in one colour, bottom and right in the other.
void Frame(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    FillSolid(dc, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    FillSolid(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    FillSolid(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    FillSolid(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}
}  // namespace

CButtonST::CButtonST() { ReadDefaultColours(); }

CButtonST::~CButtonST() { ReleaseImages(); }

void CButtonST::ReadDefaultColours() {
    for (Colour back : {kHoverBack, kNormalBack, kFocusBack})
        m_colours[back] = m_ownFace ? m_faceColour : GetSysColor(COLOR_BTNFACE);
    for (Colour text : {kHoverText, kNormalText, kFocusText}) m_colours[text] = GetSysColor(COLOR_BTNTEXT);
}

void CButtonST::SetFaceColour(COLORREF colour) {
    m_ownFace = true;
    m_faceColour = colour;
    ReadDefaultColours();
    Repaint();
}

void CButtonST::PreSubclassWindow() {
    const LONG style = GetWindowLongW(m_hWnd, GWL_STYLE);
    m_checkBox = (style & BS_CHECKBOX) != 0;
    m_default = (style & kTypeMask) == BS_DEFPUSHBUTTON;
    SetWindowLongW(m_hWnd, GWL_STYLE, (style & ~kTypeMask) | kOwnerDrawn);
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CButtonST::SetPressShift(int style, bool repaint) {
    int x = 0, y = 0;
    if (!PressShiftForStyle(style, x, y)) return kBadStyle;
    m_pressShift = {x, y};
    if (repaint) Repaint();
    return kOk;
}

// ---- images --------------------------------------------------------------------------------

int CButtonST::AssignImages(int hoverId, COLORREF hoverKey, int normalId, COLORREF normalKey) {
    auto load = [](int id) {
        return static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    };
    HBITMAP hover = hoverId > 0 ? load(hoverId) : nullptr;
    HBITMAP normal = normalId == kDarkerImage || normalId == kGreyImage
                         ? reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(normalId))
                     : normalId > 0 ? load(normalId)
                                    : nullptr;
    return AssignImageHandles(hover, hoverKey, normal, normalKey);
}

int CButtonST::FillSlot(ImageSlot& slot, HBITMAP bitmap, COLORREF key) {
    slot.image = bitmap;
    slot.key = key;
    if (!BitmapSize(bitmap, slot.width, slot.height)) return kNotABitmap;
    slot.mask = BuildMask(bitmap, slot.width, slot.height, key);
    return slot.mask ? kOk : kMaskRefused;
}

int CButtonST::AssignImageHandles(HBITMAP hover, COLORREF hoverKey, HBITMAP normal, COLORREF normalKey) {
    ReleaseImages();
    const auto reserved = reinterpret_cast<INT_PTR>(normal);
    const bool derived = reserved == kDarkerImage || reserved == kGreyImage;
    if (derived) normal = nullptr;
    int result = kOk;
    if (hover) {
        int width = 0, height = 0;
        // The copy is made before the mask blackens the hover image's key pixels.
        if (derived && BitmapSize(hover, width, height)) {
            normal = reserved == kDarkerImage ? MakeDarkerImage(hover, width, height, hoverKey)
                                              : MakeGreyImage(hover, width, height, hoverKey);
            normalKey = hoverKey;
        }
        result = FillSlot(m_slots[0], hover, hoverKey);
    }
    if (normal && result == kOk)
        result = FillSlot(m_slots[1], normal, normalKey);
    else if (normal)
        DeleteObject(normal);
    if (result != kOk) ReleaseImages();
    Repaint();
    return result;
}

void CButtonST::ReleaseImages() {
    for (ImageSlot& slot : m_slots) {
        if (slot.image) DeleteObject(slot.image);
        if (slot.mask) DeleteObject(slot.mask);
        slot = ImageSlot{};
    }
}

// ---- drawing -------------------------------------------------------------------------------

void CButtonST::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    m_pressed = (item.itemState & ODS_SELECTED) || (m_checkBox && m_check == 1);
    m_focused = (item.itemState & ODS_FOCUS) != 0;
    m_disabled = (item.itemState & ODS_DISABLED) != 0;
    SetBkMode(dc, TRANSPARENT);
    DrawBackground(dc, item.rcItem);
    DrawBorder(dc, item.rcItem);
    const std::wstring text = GetWindowText();
    RECT caption = item.rcItem;
    if (m_slots[0].image) {
        SetBkColor(dc, RGB(255, 255, 255));
        DrawBitmapImage(dc, item.rcItem, caption, !text.empty());
    }
    if (!text.empty()) DrawCaption(dc, text, caption);
    if (m_focused && ShowsFocusMark(m_hWnd)) DrawFocusMark(dc, item.rcItem, m_focusMark);
}

void CButtonST::DrawBackground(HDC dc, const RECT& rect) {
    const Colour back = m_hover || m_pressed ? kHoverBack : m_focused ? kFocusBack : kNormalBack;
    FillSolid(dc, rect, m_colours[back]);
}

void CButtonST::DrawBorder(HDC dc, const RECT& rect) {
    if (!m_drawBorder) return;
    if (m_pressed)
        Frame(dc, rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    else if (m_hover)
        Frame(dc, rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
}

void CButtonST::DrawBitmapImage(HDC dc, const RECT& item, RECT& caption, bool hasCaption) {
    const bool first = m_checkBox ? m_pressed : (m_pressed || m_hover);
    const ImageSlot& slot = first || !m_slots[1].image ? m_slots[0] : m_slots[1];
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const ButtonLayout layout = PlaceButtonImage({ToLayout(item), ToLayout(caption), slot.width, slot.height,
                                                  hasCaption, ImageAlign::Left, m_imageOrigin.x, m_imageOrigin.y,
                                                  m_pressed && !m_checkBox, m_pressShift.x, m_pressShift.y,
                                                  client.right});
    caption = ToRect(layout.caption);
    const int x = layout.image.left, y = layout.image.top;
    CMemoryDC image, mask;
    if (!image.Lend(dc, slot.image) || !mask.Lend(dc, slot.mask)) return;
    if (m_disabled && m_showDisabledImage) {
        CMemoryDC faded;
        if (!faded.CreateCompatible(dc, slot.width, slot.height)) return;
        const RECT all{0, 0, slot.width, slot.height};
        FillSolid(faded.Get(), all, RGB(255, 255, 255));
        SetBkColor(faded.Get(), RGB(255, 255, 255));
        BitBlt(faded.Get(), 0, 0, slot.width, slot.height, mask.Get(), 0, 0, SRCAND);
        BitBlt(faded.Get(), 0, 0, slot.width, slot.height, image.Get(), 0, 0, SRCPAINT);
        HBITMAP bitmap = faded.Release();
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, x, y, slot.width, slot.height,
                   DST_BITMAP | DSS_DISABLED);
        DeleteObject(bitmap);
        return;
    }
    BitBlt(dc, x, y, slot.width, slot.height, mask.Get(), 0, 0, SRCAND);
    BitBlt(dc, x, y, slot.width, slot.height, image.Get(), 0, 0, SRCPAINT);
}

void CButtonST::DrawCaption(HDC dc, const std::wstring& text, RECT caption) {
    if (m_pressed && !m_checkBox) OffsetRect(&caption, m_pressShift.x, m_pressShift.y);
    RECT measured = caption;
    DrawTextW(dc, text.c_str(), -1, &measured, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    OffsetRect(&measured, ((caption.right - caption.left) - (measured.right - measured.left)) / 2,
               ((caption.bottom - caption.top) - (measured.bottom - measured.top)) / 2);
    if (m_disabled) {
        OffsetRect(&measured, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, text.c_str(), -1, &measured, DT_WORDBREAK | DT_CENTER);
        OffsetRect(&measured, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        DrawTextW(dc, text.c_str(), -1, &measured, DT_WORDBREAK | DT_CENTER);
        return;
    }
    const bool hot = m_hover || m_pressed;
    SetTextColor(dc, m_colours[hot ? kHoverText : m_focused ? kFocusText : kNormalText]);
    SetBkColor(dc, m_colours[hot ? kHoverBack : m_focused ? kFocusBack : kNormalBack]);
    DrawTextW(dc, text.c_str(), -1, &measured, DT_WORDBREAK | DT_CENTER);
}

// ---- pointer and messages ------------------------------------------------------------------

void CButtonST::OnMouseMove(WPARAM keys, LPARAM point) {
    POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    ClientToScreen(m_hWnd, &at);
    const HWND under = WindowFromPoint(at);
    if ((keys & MK_LBUTTON) && !m_hover) return;
    if (under != m_hWnd) {
        CancelHover();
        return;
    }
    if (m_hover) return;
    m_hover = true;
    Repaint();
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
    TrackMouseEvent(&track);
}

void CButtonST::CancelHover() {
    if (!m_hover) return;
    m_hover = false;
    Repaint();
}

void CButtonST::OnDisabled() {
    if (GetFocus() == m_hWnd) {
        HWND parent = GetParent(m_hWnd);
        HWND next = parent ? GetNextDlgTabItem(parent, m_hWnd, FALSE) : nullptr;
        SetFocus(next && next != m_hWnd ? next : parent);
    }
    CancelHover();
}

bool CButtonST::OnReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        result = TRUE;
        return true;
    case WM_CTLCOLORBTN:
        result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        return true;
    case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED) {
            SetFocus(m_hWnd);
            if (m_checkBox) {
                m_check = m_check ? 0 : 1;
                Repaint();
            }
        }
        return false;  // the dialog's own handler for the id runs as for any button
    }
    return false;
}

LRESULT CButtonST::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDBLCLK:
        // Quick clicks are each a click.
        return Default(WM_LBUTTONDOWN, wp, lp);
    case WM_MOUSEMOVE: {
        const LRESULT result = Default(msg, wp, lp);
        OnMouseMove(wp, lp);
        return result;
    }
    case WM_MOUSELEAVE:
    case WM_CANCELMODE:
    case WM_KILLFOCUS: {
        const LRESULT result = Default(msg, wp, lp);
        CancelHover();
        return result;
    }
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) CancelHover();
        break;
    case WM_ENABLE:
        if (!wp) OnDisabled();
        break;
    case WM_UPDATEUISTATE: {
        const LRESULT result = Default(msg, wp, lp);
        Repaint();
        return result;
    }
    case WM_GETDLGCODE:
        return Default(msg, wp, lp) | (m_default ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE:
        m_default = (wp & kTypeMask) == BS_DEFPUSHBUTTON;
        return Default(msg, (wp & ~static_cast<WPARAM>(kTypeMask)) | kOwnerDrawn, lp);
    case BM_SETCHECK:
        if (m_checkBox) {
            m_check = wp == 1 || wp == 2 ? 1 : 0;
            Repaint();
        }
        return 0;
    case BM_GETCHECK:
        return m_check;
    case WM_SYSCOLORCHANGE: {
        const LRESULT result = Default(msg, wp, lp);
        ReadDefaultColours();
        Repaint();
        return result;
    }
    }
    return Default(msg, wp, lp);
}
