// The custom-drawn slider: the thumb's colours by state, and the channel drawn over the parent's
// face with its sunken edge, keeping what the trackbar drew in black.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "tests/win/support/GdiCanvas.h"
#include "tests/win/support/TestParentWindow.h"
#include "ui/MySliderControl.h"

namespace {

constexpr COLORREF kParentFace = RGB(0, 0, 200);
constexpr COLORREF kCanvasFill = RGB(10, 20, 30);

struct SliderOnParent {
    TestParentWindow parent{600, 480, 300, 60, kParentFace};
    CMySliderControl slider;
    HWND hwnd = nullptr;

    // Hidden, so the parent's face is all there is under it when the channel first draws.
    SliderOnParent() {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        hwnd = parent.AddChild(TRACKBAR_CLASSW, L"", TBS_NOTICKS | TBS_BOTH, 1000, {10, 10, 278, 36});
        slider.SubclassWindow(hwnd);
        RedrawWindow(parent.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }

    LRESULT Draw(HDC dc, DWORD stage, DWORD_PTR item, UINT state, RECT rc = {}) {
        NMCUSTOMDRAW draw{};
        draw.hdr = {hwnd, 1000, static_cast<UINT>(NM_CUSTOMDRAW)};
        draw.dwDrawStage = stage;
        draw.hdc = dc;
        draw.rc = rc;
        draw.dwItemSpec = item;
        draw.uItemState = state;
        return SendMessageW(parent.m_hWnd, WM_NOTIFY, 1000, reinterpret_cast<LPARAM>(&draw));
    }
};

void Fill(GdiCanvas& canvas, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, 400, 60};
    FillRect(canvas.dc(), &all, brush);
    DeleteObject(brush);
}

TEST(SkinSlider, TheThumbTakesItsColourFromTheSelectedStateOrTheSystem) {
    SliderOnParent s;
    ASSERT_NE(s.hwnd, nullptr);
    GdiCanvas canvas(400, 60);
    const RECT thumb = s.slider.GetThumbRect();
    const int cx = (thumb.left + thumb.right) / 2, cy = (thumb.top + thumb.bottom) / 2;

    EXPECT_EQ(s.Draw(canvas.dc(), CDDS_PREPAINT, 0, 0), CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT);
    EXPECT_EQ(s.Draw(canvas.dc(), CDDS_ITEMPREPAINT, TBCD_TICS, 0), CDRF_DODEFAULT);
    struct Case {
        COLORREF normal, selected;
        UINT state;
        COLORREF shown;
    };
    const Case cases[] = {
        {0, 0, CDIS_SELECTED, GetSysColor(COLOR_BTNHIGHLIGHT)},
        {0, 0, 0, GetSysColor(COLOR_BTNFACE)},
        {0x0000ACFC, 0x0093E2FF, CDIS_SELECTED, 0x0093E2FF},
        {0x0000ACFC, 0x0093E2FF, CDIS_HOT, 0x0000ACFC},
    };
    for (const Case& c : cases) {
        Fill(canvas, kCanvasFill);
        s.slider.SetThumbColors(c.normal, c.selected);
        EXPECT_EQ(s.Draw(canvas.dc(), CDDS_ITEMPREPAINT, TBCD_THUMB, c.state), CDRF_SKIPDEFAULT);
        EXPECT_EQ(canvas.Pixel(cx, cy), c.shown) << std::hex << c.selected << " state " << c.state;
        EXPECT_EQ(canvas.Pixel(thumb.right + 1, cy), kCanvasFill);
    }
}

TEST(SkinSlider, TheChannelLiesOnTheParentsFaceWithASunkenEdgeFourPixelsWider) {
    SliderOnParent s;
    ASSERT_NE(s.hwnd, nullptr);
    GdiCanvas canvas(400, 60);
    Fill(canvas, RGB(255, 255, 255));
    SetPixel(canvas.dc(), 30, 3, RGB(0, 0, 0));  // drawn black by the trackbar before the channel
    SetPixel(canvas.dc(), 31, 3, RGB(1, 1, 1));  // nearly black is not black
    EXPECT_EQ(s.Draw(canvas.dc(), CDDS_ITEMPREPAINT, TBCD_CHANNEL, 0, {8, 11, 260, 15}), CDRF_SKIPDEFAULT);

    EXPECT_EQ(canvas.Pixel(30, 3), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(31, 3), kParentFace);
    EXPECT_EQ(canvas.Pixel(100, 24), kParentFace);
    // A 4-pixel channel (rows 11-14) gets an edge over rows 9-16: shadow and dark shadow above,
    // light and highlight below.
    const COLORREF column[] = {kParentFace,
                               GetSysColor(COLOR_BTNSHADOW),
                               GetSysColor(COLOR_3DDKSHADOW),
                               GetSysColor(COLOR_3DLIGHT),
                               GetSysColor(COLOR_BTNHIGHLIGHT),
                               kParentFace};
    const int rows[] = {8, 9, 10, 15, 16, 17};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(canvas.Pixel(100, rows[i]), column[i]) << "row " << rows[i];
}

}  // namespace
