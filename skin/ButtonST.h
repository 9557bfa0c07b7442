#pragma once
#include <windows.h>

#include <string>

#include "framework/Controls.h"
#include "skin/FocusMark.h"

// A push button drawn from bitmaps: a face colour, a thin border while hovered or pressed, and
// one of two images through a mask (slot 0 while hovered or pressed, slot 1 otherwise). It takes
// over a button of a dialog template, tracks the pointer for the hover image, and still sends the
// ordinary click notification, so the dialog's command handlers run unchanged.
class CButtonST : public CButton {
public:
    // Normal-image ids that ask for a copy of the hover image instead.
    static constexpr int kDarkerImage = -3;
    static constexpr int kGreyImage = -2;
    enum Result { kOk = 0, kNotABitmap = 1, kMaskRefused = 2, kBadStyle = 6 };

    CButtonST();
    ~CButtonST() override;

    // Bitmap resources of the program; a normal id of 0 means none.
    int AssignImages(int hoverId, COLORREF hoverKey, int normalId, COLORREF normalKey);
    // Takes ownership of the bitmaps; `normal` may also be kDarkerImage or kGreyImage cast to a handle.
    int AssignImageHandles(HBITMAP hover, COLORREF hoverKey, HBITMAP normal, COLORREF normalKey);
    // 0: pressed image moves by (1, 1); 1: by (0, 2); 2: not at all. Anything else: kBadStyle.
    int SetPressShift(int style, bool repaint = true);
    bool IsHovered() const { return m_hover; }
    // The colour behind the images' transparent pixels in every state, in place of the system's
    // button face; kept across a change of the system colours.
    void SetFaceColour(COLORREF colour);
    // The thin frame while hovered or pressed; images that draw their own edge go without it.
    void SetDrawBorder(bool draw) { m_drawBorder = draw; }
    // Drawn around the face while the button has a keyboard focus that shows.
    void SetFocusMark(const FocusMark& mark) { m_focusMark = mark; }

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

    virtual void DrawItem(const DRAWITEMSTRUCT& item);
    virtual void DrawBackground(HDC dc, const RECT& rect);
    virtual void DrawBorder(HDC dc, const RECT& rect);
    virtual void DrawBitmapImage(HDC dc, const RECT& item, RECT& caption, bool hasCaption);
    virtual void DrawCaption(HDC dc, const std::wstring& text, RECT caption);

private:
    struct ImageSlot {
        HBITMAP image = nullptr;
        HBITMAP mask = nullptr;
        int width = 0, height = 0;
        COLORREF key = 0;
    };
    enum Colour { kHoverBack, kHoverText, kNormalBack, kNormalText, kFocusBack, kFocusText, kColours };

    void ReadDefaultColours();
    void ReleaseImages();
    // Fills the slot from the bitmap; kOk, kNotABitmap or kMaskRefused.
    int FillSlot(ImageSlot& slot, HBITMAP bitmap, COLORREF key);
    void OnMouseMove(WPARAM keys, LPARAM point);
    void CancelHover();
    void OnDisabled();
    void Repaint() { Invalidate(); }

    bool m_showDisabledImage = true;
    POINT m_imageOrigin{3, 3};
    POINT m_pressShift{1, 1};
    bool m_hover = false;
    bool m_pressed = false, m_focused = false, m_disabled = false;
    bool m_default = false;
    bool m_checkBox = false;
    bool m_drawBorder = true;
    COLORREF m_colours[kColours]{};
    bool m_ownFace = false;
    COLORREF m_faceColour = 0;
    int m_check = 0;
    ImageSlot m_slots[2];
    FocusMark m_focusMark;
};
