#include "ui/MySliderControl.h"

namespace {
constexpr int kThumbCorner = 5;
}  // namespace

bool CMySliderControl::OnReflect(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_NOTIFY) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lp);
    if (header->code != NM_CUSTOMDRAW) return false;
    result = OnCustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(lp));
    return true;
}

LRESULT CMySliderControl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    // The channel drawing covers the whole control.
    if (msg == WM_ERASEBKGND) return FALSE;
    // A page of its own: the trackbar's page is also what a click on the channel moves.
    if (msg == WM_KEYDOWN && (wp == VK_PRIOR || wp == VK_NEXT)) {
        MovePage(wp == VK_PRIOR);
        return 0;
    }
    const LRESULT result = CSliderCtrl::WindowProc(msg, wp, lp);
    if (msg == WM_UPDATEUISTATE) Invalidate(FALSE);
    return result;
}

// As the trackbar's own keys: up is towards the minimum.
void CMySliderControl::MovePage(bool up) {
    SetPos(GetPos() + (up ? -kPageStep : kPageStep));
    ::SendMessageW(GetParent(m_hWnd), WM_HSCROLL, MAKEWPARAM(up ? TB_PAGEUP : TB_PAGEDOWN, 0),
                   reinterpret_cast<LPARAM>(m_hWnd));
}

LRESULT CMySliderControl::OnCustomDraw(const NMCUSTOMDRAW& draw) {
    if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    if (draw.dwDrawStage == CDDS_POSTPAINT) {
        RECT client{};
        GetClientRect(m_hWnd, &client);
        if (ShowsFocusMark(m_hWnd)) DrawFocusMark(draw.hdc, client, m_focusMark);
        return CDRF_DODEFAULT;
    }
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    switch (draw.dwItemSpec) {
    case TBCD_THUMB:
        DrawThumb(draw);
        return CDRF_SKIPDEFAULT;
    case TBCD_CHANNEL:
        DrawChannel(draw);
        return CDRF_SKIPDEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

void CMySliderControl::DrawThumb(const NMCUSTOMDRAW& draw) {
    const RECT thumb = GetThumbRect();
    const bool selected = (draw.uItemState & CDIS_SELECTED) != 0;
    COLORREF colour = selected ? m_selectedThumb : m_normalThumb;
    if (colour == 0) colour = GetSysColor(selected ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE);
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ previous = SelectObject(draw.hdc, brush);
    RoundRect(draw.hdc, thumb.left, thumb.top, thumb.right, thumb.bottom, kThumbCorner, kThumbCorner);
    SelectObject(draw.hdc, previous);
    DeleteObject(brush);
}

// The parent paints its face straight into the control's context, shifted to where the control
// lies and held to it: no copy of the face is kept.
void CMySliderControl::PaintParentFace(HDC dc, const RECT& client) {
    HWND parent = GetParent(m_hWnd);
    POINT at{0, 0};
    MapWindowPoints(m_hWnd, parent, &at, 1);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    OffsetViewportOrgEx(dc, -at.x, -at.y, nullptr);
    ::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
}

void CMySliderControl::DrawChannel(const NMCUSTOMDRAW& draw) {
    RECT client{};
    GetClientRect(m_hWnd, &client);

    // What the trackbar drew in black before this stage stays black over the face.
    CMemoryDC mask;
    if (mask.CreateMonochrome(client.right, client.bottom)) {
        const COLORREF oldBack = SetBkColor(draw.hdc, RGB(0, 0, 0));
        const COLORREF oldText = SetTextColor(draw.hdc, RGB(255, 255, 255));
        BitBlt(mask.Get(), 0, 0, client.right, client.bottom, draw.hdc, client.left, client.top, SRCCOPY);
        PaintParentFace(draw.hdc, client);
        BitBlt(draw.hdc, 0, 0, client.right, client.bottom, mask.Get(), 0, 0, SRCAND);
        SetBkColor(draw.hdc, oldBack);
        SetTextColor(draw.hdc, oldText);
    }

    RECT channel = draw.rc;
    if (channel.bottom - channel.top > channel.right - channel.left)
        InflateRect(&channel, 1, 0);
    else
        InflateRect(&channel, 0, 2);
    DrawEdge(draw.hdc, &channel, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
}
