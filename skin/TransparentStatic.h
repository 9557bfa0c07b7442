#pragma once
#include <windows.h>

#include "framework/Controls.h"
#include "framework/Gdi.h"

// A static text control that shows its parent's face behind the text. At its first erase it keeps
// a copy of the parent's pixels under it; every later erase puts that copy back, and a text change
// erases and repaints at once, so a shorter text never shows the remains of a longer one.
class CTransparentStatic : public CStatic {
public:
    // Takes effect at the next repaint.
    void SetTextColor(COLORREF colour) { m_textColor = colour; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void OnEraseBackground(HDC dc);
    bool TakeSnapshot();

    COLORREF m_textColor = 0;
    CMemoryDC m_snapshot;
};
