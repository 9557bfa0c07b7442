// The bitmap button on a real button control: owner-drawn style kept, clicks, hover and press
// images, the face showing through, press shift styles and the reflected colour request.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "res/resource.h"
#include "skin/ButtonST.h"
#include "tests/win/support/GdiCanvas.h"
#include "tests/win/support/SkinPixels.h"
#include "tests/win/support/TestParentWindow.h"

namespace {

constexpr COLORREF kFaceShows = RGB(254, 254, 254);
constexpr int kWidth = 85, kHeight = 22;

std::unique_ptr<GdiCanvas> Image(UINT id) {
    return std::make_unique<GdiCanvas>(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
}

// How many pixels of the button differ from the image, where the face colour stands for the
// image's 0xFEFEFE pixels.
int PixelsNotShowing(HWND button, const GdiCanvas& image, COLORREF face = GetSysColor(COLOR_BTNFACE)) {
    UpdateWindow(button);
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const COLORREF want = image.Pixel(x, y) == kFaceShows ? face : image.Pixel(x, y);
            wrong += WindowPixel(button, x, y) != want;
        }
    return wrong;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

TEST(SkinButton, AButtonOfTheSkinDrawsItsImagesAndKeepsBehavingAsAPushButton) {
    TestParentWindow parent(700, 560, 200, 60, RGB(0, 0, 200));
    HWND hwnd = parent.AddChild(L"Button", L"Apply", WS_VISIBLE | BS_PUSHBUTTON, IDC_APPLY, {10, 10, 95, 32});
    CButtonST button;
    ASSERT_TRUE(button.SubclassWindow(hwnd));
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & 0x1F, BS_OWNERDRAW);

    EXPECT_EQ(button.SetPressShift(3), CButtonST::kBadStyle);
    EXPECT_EQ(button.SetPressShift(2), CButtonST::kOk);
    button.SetWindowText(L"");
    ASSERT_EQ(button.AssignImages(IDB_APPLY_HOVER, kFaceShows, IDB_APPLY_NORMAL, kFaceShows), CButtonST::kOk);
    const auto hover = Image(IDB_APPLY_HOVER), normal = Image(IDB_APPLY_NORMAL);
    EXPECT_EQ(PixelsNotShowing(hwnd, *normal), 0);
    // As the main window sets them up: its face colour at the corners, in every state.
    const COLORREF face = RGB(1, 2, 3);
    button.SetFaceColour(face);
    button.SetDrawBorder(false);
    EXPECT_EQ(PixelsNotShowing(hwnd, *normal, face), 0);

    // The dialog manager moves the default between buttons with BM_SETSTYLE.
    SendMessageW(hwnd, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & 0x1F, BS_OWNERDRAW);
    EXPECT_TRUE(SendMessageW(hwnd, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    SendMessageW(hwnd, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & 0x1F, BS_OWNERDRAW);
    EXPECT_TRUE(SendMessageW(hwnd, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(SendMessageW(parent.m_hWnd, WM_CTLCOLORBTN, 0, reinterpret_cast<LPARAM>(hwnd)),
              reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));

    // A move with the button held does not start hover; a plain move does, and leaving ends it.
    SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(40, 11));
    EXPECT_FALSE(button.IsHovered());
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, At(40, 11));
    EXPECT_TRUE(button.IsHovered());
    EXPECT_EQ(PixelsNotShowing(hwnd, *hover, face), 0);
    SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button.IsHovered());
    EXPECT_EQ(PixelsNotShowing(hwnd, *normal, face), 0);

    // Pressed without hovering first shows the hover image too; a double-click is two clicks.
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(40, 11));
    EXPECT_EQ(PixelsNotShowing(hwnd, *hover, face), 0);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, At(40, 11));
    SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, At(40, 11));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, At(40, 11));
    EXPECT_EQ(parent.clicks, 2);
    EXPECT_EQ(parent.doubleClicks, 0);
    EXPECT_EQ(GetFocus(), hwnd);
}

TEST(SkinButton, ADerivedNormalImageIsADarkerOrGreyCopyOfTheHoverImage) {
    TestParentWindow parent(700, 640, 200, 60, RGB(0, 0, 200));
    HWND hwnd = parent.AddChild(L"Button", L"", WS_VISIBLE | BS_PUSHBUTTON, IDC_APPLY, {10, 10, 95, 32});
    CButtonST button;
    ASSERT_TRUE(button.SubclassWindow(hwnd));
    const auto hover = Image(IDB_APPLY_HOVER);
    for (int which : {CButtonST::kDarkerImage, CButtonST::kGreyImage}) {
        ASSERT_EQ(button.AssignImages(IDB_APPLY_HOVER, kFaceShows, which, kFaceShows), CButtonST::kOk);
        UpdateWindow(hwnd);
        for (POINT p : {POINT{42, 3}, POINT{20, 15}, POINT{80, 11}}) {
            const COLORREF h = hover->Pixel(p.x, p.y);
            const int r = GetRValue(h), g = GetGValue(h), b = GetBValue(h);
            const int grey = static_cast<int>(r * 0.299 + g * 0.587 + b * 0.114);
            const COLORREF want = which == CButtonST::kDarkerImage ? RGB(r * 3 / 4, g * 3 / 4, b * 3 / 4)
                                                                   : RGB(grey, grey, grey);
            EXPECT_EQ(WindowPixel(hwnd, p.x, p.y), want) << which << " at " << p.x << "," << p.y;
        }
        // The face colour still shows where the hover image has 0xFEFEFE.
        EXPECT_EQ(WindowPixel(hwnd, 0, 0), GetSysColor(COLOR_BTNFACE));
    }
    EXPECT_EQ(button.AssignImageHandles(reinterpret_cast<HBITMAP>(GetStockObject(BLACK_BRUSH)), 0, nullptr, 0),
              CButtonST::kNotABitmap);
}

}  // namespace
