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
    return CSliderCtrl::WindowProc(msg, wp, lp);
}

LRESULT CMySliderControl::OnCustomDraw(const NMCUSTOMDRAW& draw) {
    if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
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

bool CMySliderControl::CacheBackground(HDC parentDc, const RECT& client) {
    RECT window{};
    GetWindowRect(m_hWnd, &window);
    MapWindowPoints(nullptr, GetParent(m_hWnd), reinterpret_cast<POINT*>(&window), 2);
    if (!m_background.CreateCompatible(parentDc, client.right, client.bottom)) return false;
    BitBlt(m_background.Get(), 0, 0, client.right, client.bottom, parentDc, window.left, window.top, SRCCOPY);
    return true;
}

void CMySliderControl::DrawChannel(const NMCUSTOMDRAW& draw) {
    CClientDC parentDc(GetParent(m_hWnd));
    RECT client{};
    GetClientRect(m_hWnd, &client);
    if (!parentDc.Get() || (!m_background && !CacheBackground(parentDc.Get(), client))) return;

    // What the trackbar drew in black before this stage stays black over the face.
    CMemoryDC mask;
    if (mask.CreateMonochrome(client.right, client.bottom)) {
        const COLORREF oldBack = SetBkColor(draw.hdc, RGB(0, 0, 0));
        const COLORREF oldText = SetTextColor(draw.hdc, RGB(255, 255, 255));
        BitBlt(mask.Get(), 0, 0, client.right, client.bottom, draw.hdc, client.left, client.top, SRCCOPY);
        BitBlt(draw.hdc, 0, 0, client.right, client.bottom, m_background.Get(), 0, 0, SRCCOPY);
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
