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
    case WM_ERASEBKGND:
        OnEraseBackground(reinterpret_cast<HDC>(wp));
        return 1;
    }
    return Default(msg, wp, lp);
}

void CTransparentStatic::OnEraseBackground(HDC dc) {
    // The first erase finds the parent's face freshly painted under the control and leaves it.
    if (!m_snapshot) {
        TakeSnapshot();
        return;
    }
    RECT client{};
    GetClientRect(m_hWnd, &client);
    BitBlt(dc, 0, 0, client.right, client.bottom, m_snapshot.Get(), 0, 0, SRCCOPY);
}

bool CTransparentStatic::TakeSnapshot() {
    HWND parent = GetParent(m_hWnd);
    RECT rect{};
    GetWindowRect(m_hWnd, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    CClientDC parentDc(parent);
    if (!parentDc.Get() || !m_snapshot.CreateCompatible(parentDc.Get(), width, height)) return false;
    BitBlt(m_snapshot.Get(), 0, 0, width, height, parentDc.Get(), rect.left, rect.top, SRCCOPY);
    return true;
}
