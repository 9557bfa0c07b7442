#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <cwctype>

#include "framework/Dialog.h"
#include "res/resource.h"
#include "support/DialogTemplateReader.h"
#include "support/GdiCanvas.h"

namespace {

struct Control {
    DWORD id;
    const wchar_t* className;
    const wchar_t* text;
    short x, y, cx, cy;
};

constexpr DWORD kTrackbarStyle = 0x50010018;
constexpr DWORD kStaticStyle = 0x50020201;
constexpr DWORD kButtonStyle = 0x50010000;

// The main window's layout, in tab order.
const Control kMainDialogControls[] = {
    {IDC_CORE_SLIDER, TRACKBAR_CLASSW, L"", 80, 57, 179, 16},
    {IDC_MEMORY_SLIDER, TRACKBAR_CLASSW, L"", 80, 76, 179, 16},
    {IDC_SHADER_SLIDER, TRACKBAR_CLASSW, L"", 80, 96, 179, 16},
    {IDC_FAN_SLIDER, TRACKBAR_CLASSW, L"", 80, 117, 179, 16},
    {IDC_CORE_VALUE, L"Static", L"1400 MHz", 256, 57, 48, 12},
    {IDC_MEMORY_VALUE, L"Static", L"1400 MHz", 256, 77, 48, 12},
    {IDC_SHADER_VALUE, L"Static", L"1400 MHz", 256, 97, 48, 12},
    {IDC_FAN_VALUE, L"Static", L"1400 MHz", 256, 119, 48, 12},
    {IDC_TEMPERATURE, L"Static", L"66", 320, 106, 22, 18},
    {IDC_OPTIONS, L"Button", L"Options", 395, 18, 50, 14},
    {IDC_MINIMIZE, L"Button", L"-", 353, 17, 18, 14},
    {IDC_CLOSE, L"Button", L"X", 374, 17, 18, 14},
    {IDC_APPLY, L"Button", L"Apply", 161, 135, 50, 14},
    {IDC_RESET, L"Button", L"Reset", 107, 136, 50, 14},
    {IDC_PROFILES, L"Button", L"Profiles", 52, 135, 50, 14},
};

DWORD StyleOf(const Control& control) {
    const std::wstring name = control.className;
    if (name == TRACKBAR_CLASSW) return kTrackbarStyle;
    return name == L"Static" ? kStaticStyle : kButtonStyle;
}

DWORD ExStyleOf(const Control& control) {
    return std::wstring(control.className) == TRACKBAR_CLASSW ? WS_EX_TRANSPARENT : 0;
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

TEST(MainDialogTemplate, MatchesTheLayoutControlByControl) {
    DialogTemplateReader::Template dialog;
    ASSERT_TRUE(DialogTemplateReader::Read(GetModuleHandleW(nullptr), IDD_OSKARA_DIALOG, dialog));
    EXPECT_EQ(dialog.style, 0x90000048u);
    EXPECT_EQ(dialog.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_EQ(dialog.cx, 508);
    EXPECT_EQ(dialog.cy, 201);
    EXPECT_EQ(dialog.title, L"");
    EXPECT_EQ(dialog.typeface, L"MS Shell Dlg");
    EXPECT_EQ(dialog.pointSize, 8);
    ASSERT_EQ(dialog.items.size(), std::size(kMainDialogControls));
    for (size_t i = 0; i < dialog.items.size(); ++i) {
        const auto& item = dialog.items[i];
        const Control& want = kMainDialogControls[i];
        SCOPED_TRACE(want.id);
        EXPECT_EQ(item.id, want.id);
        EXPECT_EQ(Lower(item.className), Lower(want.className));
        EXPECT_EQ(item.text, want.text);
        EXPECT_EQ(item.style, StyleOf(want));
        EXPECT_EQ(item.exStyle, ExStyleOf(want));
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
    }
}

TEST(MainDialogTemplate, MakesACaptionlessWindowWithEveryControl) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    CDialog dialog(IDD_OSKARA_DIALOG);
    ASSERT_TRUE(dialog.Create());
    const auto style = static_cast<DWORD>(GetWindowLongW(dialog.m_hWnd, GWL_STYLE));
    EXPECT_EQ(style & (WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_BORDER), static_cast<DWORD>(WS_POPUP | WS_VISIBLE));
    EXPECT_TRUE(GetWindowLongW(dialog.m_hWnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    for (const Control& want : kMainDialogControls) {
        SCOPED_TRACE(want.id);
        HWND control = dialog.GetDlgItem(static_cast<int>(want.id));
        ASSERT_NE(control, nullptr);
        wchar_t className[64] = L"";
        GetClassNameW(control, className, 64);
        EXPECT_EQ(Lower(className), Lower(want.className));
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE)), StyleOf(want));
        EXPECT_EQ(GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_TRANSPARENT, static_cast<LONG>(ExStyleOf(want)));
    }
}

TEST(GaugeBitmap, IsA74By119TrueColourScaleFromGreenAtTheBottomToRedAtTheTop) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(IDB_GAUGE), MAKEINTRESOURCEW(2));  // RT_BITMAP
    ASSERT_NE(info, nullptr);
    ASSERT_GE(SizeofResource(module, info), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    memcpy(&header, LockResource(LoadResource(module, info)), sizeof(header));
    EXPECT_EQ(header.biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(header.biWidth, 74);
    EXPECT_EQ(header.biHeight, 119);  // positive: stored bottom-up
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));

    GdiCanvas gauge(static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(IDB_GAUGE), IMAGE_BITMAP, 0, 0, 0)));
    ASSERT_TRUE(gauge.valid());
    const COLORREF top = gauge.Pixel(37, 0);
    const COLORREF bottom = gauge.Pixel(37, 118);
    EXPECT_GT(GetRValue(top), 2 * GetGValue(top));
    EXPECT_GT(GetGValue(bottom), 2 * GetRValue(bottom));
}

}  // namespace
