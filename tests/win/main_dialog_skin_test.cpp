// The main dialog in its skin: the window's shape, a poll that redraws only a changed gauge, value
// labels that show the skin behind their text from the first poll on and after a new DPI, with no
// remnants, and the places the skin's factor gives.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"
#include "store/Settings.h"
#include "tests/win/support/MainDialogFixture.h"
#include "tests/win/support/SkinPixels.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

using MainDialogSkin = MainDialogFixture;

struct LabelPlace {
    RECT rect;       // in the dialog's client area
    int textLeft;    // label columns the text may use, from the text's measured width
    int textRight;
};

LabelPlace Place(HWND dialog, HWND label) {
    LabelPlace place{};
    GetWindowRect(label, &place.rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place.rect), 2);
    wchar_t text[64] = L"";
    GetWindowTextW(label, text, 64);
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &extent);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    const int width = place.rect.right - place.rect.left;
    // One column of slack on each side for the font's overhang.
    place.textLeft = (width - extent.cx) / 2 - 1;
    place.textRight = (width + extent.cx) / 2 + 1;
    return place;
}

// Pixels of the label beside the text columns of `place` that differ from the skin under them.
int BesideTextNotSkin(HWND dialog, HWND label, const GdiCanvas& skin, const LabelPlace& place) {
    UpdateWindow(dialog);
    int wrong = 0;
    const int width = place.rect.right - place.rect.left, height = place.rect.bottom - place.rect.top;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (x < place.textLeft || x >= place.textRight)
                wrong += WindowPixel(label, x, y) != skin.Pixel(place.rect.left + x, place.rect.top + y);
    return wrong;
}

// Every pixel of a control as it is on the screen now.
std::vector<COLORREF> ControlPixels(HWND control) {
    UpdateWindow(GetParent(control));
    RECT client{};
    GetClientRect(control, &client);
    GdiCanvas copy(client.right, client.bottom);
    HDC dc = GetDC(control);
    BitBlt(copy.dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(control, dc);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) pixels.push_back(copy.Pixel(x, y));
    return pixels;
}

TEST_F(MainDialogSkin, AChangedValueLooksAsTheSameValueAtAFreshStart) {
    struct Case {
        const char* what;
        int label;
        std::string startCard;
        std::function<void()> change;
        std::string freshCard;  // a card that shows the changed value at once
        const wchar_t* shown;
    };
    const Case cases[] = {
        {"core dragged", IDC_CORE_VALUE, "", [&] { Slide(IDC_CORE_SLIDER, 723); },
         "level 1 0:700000:723000 4:1000000 7:1400000\n", L"723 MHz"},
        {"fan from Auto", IDC_FAN_VALUE, "", [&] { Slide(IDC_FAN_SLIDER, 70); }, "cooler 0 70 1\n", L"70 %"},
        // A fixed full fan cools the default card by 0.2 degrees per percent above its 40.
        {"temperature", IDC_TEMPERATURE, "",
         [&] {
             Slide(IDC_FAN_SLIDER, 100);
             Command(IDC_APPLY);
             Send(WM_TIMER, COskaraDlg::kPollTimer);
         },
         "temp 43\nthermal 0 0\n", L"43"},
    };
    // As the program starts: the window is refreshed once more as soon as it exists.
    auto start = [&](const std::string& card) {
        Open(card);
        dlg->UpdateControls();
        WinTest::Pump();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start(c.freshCard);
        ASSERT_EQ(Text(c.label), c.shown);
        const std::vector<COLORREF> fresh = ControlPixels(Item(c.label));
        start(c.startCard);
        ASSERT_NE(Text(c.label), c.shown);
        c.change();
        WinTest::Pump();
        ASSERT_EQ(Text(c.label), c.shown);
        EXPECT_TRUE(ControlPixels(Item(c.label)) == fresh);
    }
}

TEST_F(MainDialogSkin, TheWindowIsCutToTheSkinsShape) {
    Open("pci 10DE 0402\n");
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(dlg->m_hWnd, region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 1, 1));
    EXPECT_FALSE(PtInRegion(region, 270, 259));
    EXPECT_TRUE(PtInRegion(region, 300, 259));
    EXPECT_TRUE(PtInRegion(region, 325, 120));
    DeleteObject(region);
}

TEST_F(MainDialogSkin, APollRedrawsTheGaugeOnlyWhenTheTemperatureChanged) {
    Open("thermal 0 0\ntemp 58\n");
    UpdateWindow(dlg->m_hWnd);
    Send(WM_TIMER, COskaraDlg::kPollTimer);
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(dlg->m_hWnd, &update, FALSE));
    EXPECT_EQ(WinTest::Edges(update), (std::array<LONG, 4>{515, 95, 589, 214}));
    UpdateWindow(dlg->m_hWnd);
    Send(WM_TIMER, COskaraDlg::kPollTimer);
    EXPECT_FALSE(GetUpdateRect(dlg->m_hWnd, &update, FALSE));
}

TEST_F(MainDialogSkin, TheTemperatureShowsTheSkinBehindItFromTheFirstPoll) {
    Open("thermal 0 0\ntemp 58\n");
    WinTest::Pump();
    EXPECT_EQ(Text(IDC_TEMPERATURE), L"58");
    const std::unique_ptr<GdiCanvas> skin(NewResourceCanvas(IDB_SKIN));
    ASSERT_TRUE(skin->valid());
    EXPECT_EQ(BesideTextNotSkin(dlg->m_hWnd, Item(IDC_TEMPERATURE), *skin, Place(dlg->m_hWnd, Item(IDC_TEMPERATURE))),
              0);

    // The text itself is drawn in green.
    const LabelPlace place = Place(dlg->m_hWnd, Item(IDC_TEMPERATURE));
    int green = 0;
    for (int y = 0; y < place.rect.bottom - place.rect.top; ++y)
        for (int x = place.textLeft; x < place.textRight; ++x)
            green += WindowPixel(Item(IDC_TEMPERATURE), x, y) == RGB(0, 0xEE, 0);
    EXPECT_GT(green, 10);
}

TEST_F(MainDialogSkin, AShorterValueLeavesNothingOfTheLongerOne) {
    Open("pci 10DE 0402\n");
    WinTest::Pump();
    const std::unique_ptr<GdiCanvas> skin(NewResourceCanvas(IDB_SKIN));
    ASSERT_TRUE(skin->valid());
    HWND label = Item(IDC_CORE_VALUE);
    SetWindowTextW(label, L"1 MHz");
    const LabelPlace shortText = Place(dlg->m_hWnd, label);
    // The longer text covers columns the shorter one leaves free...
    SetWindowTextW(label, L"8888 MHz");
    EXPECT_GT(BesideTextNotSkin(dlg->m_hWnd, label, *skin, shortText), 20);
    // ...and they show the skin again once the shorter text is set.
    SetWindowTextW(label, L"1 MHz");
    EXPECT_EQ(BesideTextNotSkin(dlg->m_hWnd, label, *skin, shortText), 0);
}

// The window opens at 96 DPI and follows each new DPI with a whole factor.
TEST_F(MainDialogSkin, AtEachFactorTheBoxesTheSlidersTheGaugeAndTheLabelsSkinAreScaled) {
    struct Click {
        int x, y;  // at factor 1
        bool opensMonitor;
    };
    // The gauge's slot is 515..588 across and 95..213 down.
    const Click clicks[] = {{516, 96, true}, {588, 213, true}, {589, 150, false}, {550, 214, false}};
    int channelMiddleAt1 = 0;  // the skin's slot lies under it
    Open("pci 10DE 0402\n");
    WinTest::Pump();
    for (const int factor : {1, 2, 3}) {
        SCOPED_TRACE(factor);
        RECT window{};
        GetWindowRect(dlg->m_hWnd, &window);
        Send(WM_DPICHANGED, MAKEWPARAM(96 * factor, 96 * factor), reinterpret_cast<LPARAM>(&window));
        RECT box{};
        GetWindowRect(Item(IDC_FAN_VALUE), &box);
        MapWindowPoints(nullptr, dlg->m_hWnd, reinterpret_cast<POINT*>(&box), 2);
        EXPECT_EQ(box.left, 389 * factor);
        EXPECT_EQ(box.right, 457 * factor);
        EXPECT_EQ(box.bottom, 213 * factor);
        RECT channel{};
        SendMessageW(Item(IDC_CORE_SLIDER), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        if (factor == 1) channelMiddleAt1 = channel.top + channel.bottom;
        EXPECT_NEAR(channel.top + channel.bottom, channelMiddleAt1 * factor, 2 * factor);
        const std::unique_ptr<GdiCanvas> skin(NewResourceCanvas(IDB_SKIN, factor));
        // At 3 the labels lie beyond the test display's edge, where no pixel can be read.
        for (const int id : {IDC_CORE_VALUE, IDC_FAN_VALUE}) {
            if (factor < 3) EXPECT_EQ(BesideTextNotSkin(dlg->m_hWnd, Item(id), *skin, Place(dlg->m_hWnd, Item(id))), 0);
        }
        for (const Click& c : clicks) {
            Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(c.x * factor + factor - 1, c.y * factor + factor - 1));
            const HWND monitor = FindWindowW(nullptr, OSKARA_MONITOR_TITLE);
            EXPECT_EQ(monitor != nullptr, c.opensMonitor) << c.x << "," << c.y;
            if (monitor) DestroyWindow(monitor);
        }
    }
}

}  // namespace
