#include "skin/TransparentStatic.h"

bool CTransparentStatic::OnReflect(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC) return false;
    HDC dc = reinterpret_cast<HDC>(wp);
    ::SetTextColor(dc, m_textColor);
    SetBkMode(dc, TRANSPARENT);
    result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    return true;
}

LRESULT CTransparentStatic::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SETTEXT: {
        const LRESULT result = Default(msg, wp, lp);
        InvalidateRect(m_hWnd, nullptr, TRUE);
        UpdateWindow(m_hWnd);
        return result;
    }
    case WM_WINDOWPOSCHANGED:
        // Moved or resized (a new skin factor), the face under it is another one.
        if ((reinterpret_cast<const WINDOWPOS*>(lp)->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
            m_snapshot.Reset();
        break;
    case WM_ERASEBKGND:
        OnEraseBackground(reinterpret_cast<HDC>(wp));
        return 1;
    }
    return Default(msg, wp, lp);
}

void CTransparentStatic::OnEraseBackground(HDC dc) {
    if (!m_snapshot && !TakeSnapshot(dc)) return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    BitBlt(dc, 0, 0, client.right, client.bottom, m_snapshot.Get(), 0, 0, SRCCOPY);
}

// The parent paints its face into the copy. The screen under the control is no source: the
// control may already have drawn text there without an erase (the static paints as it takes a
// new text), and that text would then come back with every erase.
bool CTransparentStatic::TakeSnapshot(HDC like) {
    HWND parent = GetParent(m_hWnd);
    RECT rect{};
    GetWindowRect(m_hWnd, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    if (!m_snapshot.CreateCompatible(like, rect.right - rect.left, rect.bottom - rect.top)) return false;
    SetViewportOrgEx(m_snapshot.Get(), -rect.left, -rect.top, nullptr);
    const bool painted = ::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(m_snapshot.Get()), 0) != 0;
    SetViewportOrgEx(m_snapshot.Get(), 0, 0, nullptr);
    if (!painted) m_snapshot.Reset();
    return painted;
}
