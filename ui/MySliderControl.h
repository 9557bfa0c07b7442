#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/Gdi.h"
#include "framework/SliderCtrl.h"
#include "skin/FocusMark.h"

// A trackbar that keeps its behaviour and draws its own look through custom draw: the channel
// over the parent's face under the control, with a sunken edge, and a rounded thumb in one
// colour, or a second while the thumb is selected. A colour of 0 stands for the system's
// button face (normal) and button highlight (selected). Page Up and Page Down move it ten steps.
class CMySliderControl : public CSliderCtrl {
public:
    void SetThumbColors(COLORREF normal, COLORREF selected) {
        m_normalThumb = normal;
        m_selectedThumb = selected;
    }
    // Drawn around the control while it has a keyboard focus that shows.
    void SetFocusMark(const FocusMark& mark) { m_focusMark = mark; }

    static constexpr int kPageStep = 10;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    LRESULT OnCustomDraw(const NMCUSTOMDRAW& draw);
    void DrawThumb(const NMCUSTOMDRAW& draw);
    void DrawChannel(const NMCUSTOMDRAW& draw);
    void PaintParentFace(HDC dc, const RECT& client);
    void MovePage(bool up);

    COLORREF m_normalThumb = 0;
    COLORREF m_selectedThumb = 0;
    FocusMark m_focusMark;
};
