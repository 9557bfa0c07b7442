#pragma once
#include <windows.h>

#include "framework/Controls.h"
#include "framework/Gdi.h"

// A static text control that shows its parent's face behind the text. At its first erase it has
// the parent paint its face under the control into a copy (again after a move or a new size);
// every erase puts that copy back, and a text change erases and repaints at once, so no text ever
// shows the remains of another.
class CTransparentStatic : public CStatic {
public:
    // Takes effect at the next repaint.
    void SetTextColor(COLORREF colour) { m_textColor = colour; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void OnEraseBackground(HDC dc);
    bool TakeSnapshot(HDC like);

    COLORREF m_textColor = 0;
    CMemoryDC m_snapshot;
};
