#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <set>
#include <vector>

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/SliderCtrl.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "support/GdiCanvas.h"
#include "support/WinTestSupport.h"

namespace {

constexpr UINT kEndWith42 = WM_APP + 1;
constexpr COLORREF kRed = RGB(255, 0, 0);

struct CommonControls {
    CommonControls() {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
    }
} g_commonControls;

// Answers its own colour request with a red background.
class RedStatic : public CStatic {
public:
    RedStatic() : m_brush(CreateSolidBrush(kRed)) {}
    ~RedStatic() override { DeleteObject(m_brush); }
    HBRUSH brush() const { return m_brush; }

protected:
    bool OnReflect(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
        if (msg != WM_CTLCOLORSTATIC) return false;
        result = reinterpret_cast<LRESULT>(m_brush);
        return true;
    }

private:
    HBRUSH m_brush;
};

// Keeps its clicks to itself and, once owner-drawn, draws itself.
class SelfContainedButton : public CButton {
public:
    int clicks = 0;
    int draws = 0;

protected:
    bool OnReflect(UINT msg, WPARAM wp, LPARAM, LRESULT& result) override {
        if (msg == WM_DRAWITEM)
            ++draws;
        else if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED)
            ++clicks;
        else
            return false;
        result = TRUE;
        return true;
    }
};

// Asks for the parts of its custom draw and records which arrive.
class ItemDrawingSlider : public CSliderCtrl {
public:
    std::set<DWORD_PTR> items;

protected:
    bool OnReflect(UINT msg, WPARAM, LPARAM lp, LRESULT& result) override {
        const auto* header = reinterpret_cast<const NMHDR*>(lp);
        if (msg != WM_NOTIFY || header->code != NM_CUSTOMDRAW) return false;
        const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(lp);
        if (draw->dwDrawStage == CDDS_ITEMPREPAINT) items.insert(draw->dwItemSpec);
        result = draw->dwDrawStage == CDDS_PREPAINT ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
        return true;
    }
};

// The main window's template as a test bed; it binds a control of each kind.
class TestDialog : public CDialog {
public:
    explicit TestDialog(int extraBinding = 0) : CDialog(IDD_OSKARA_DIALOG) {
        BindControl(slider, IDC_CORE_SLIDER);
        BindControl(redLabel, IDC_CORE_VALUE);
        BindControl(plainLabel, IDC_MEMORY_VALUE);
        BindControl(apply, IDC_APPLY);
        if (extraBinding) BindControl(extra, extraBinding);
    }
    ~TestDialog() override { DestroyWindow(); }

    ItemDrawingSlider slider;
    RedStatic redLabel;
    CStatic plainLabel;
    SelfContainedButton apply;
    CWnd extra;

    bool boundAtInit = false;
    std::function<void(TestDialog&)> onInit;
    std::function<void(TestDialog&)> beforeEnd;
    // (message, sending control's id) the dialog's own map received
    std::vector<std::pair<UINT, int>> received;

protected:
    bool OnInitDialog() override {
        boundAtInit = slider.m_hWnd == GetDlgItem(IDC_CORE_SLIDER) && apply.m_hWnd == GetDlgItem(IDC_APPLY) &&
                      CWnd::FromHandlePermanent(redLabel.m_hWnd) == &redLabel;
        if (onInit) onInit(*this);
        return true;
    }

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
        case WM_CTLCOLORSTATIC:
            received.push_back({msg, ::GetDlgCtrlID(reinterpret_cast<HWND>(lp))});
            break;
        case WM_COMMAND:
            received.push_back({msg, LOWORD(wp)});
            break;
        case WM_DRAWITEM:
            received.push_back({msg, static_cast<int>(wp)});
            break;
        case kEndWith42:
            if (beforeEnd) beforeEnd(*this);
            EndDialog(42);
            return 0;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)));
        }
        return CDialog::WindowProc(msg, wp, lp);
    }
};

bool Received(const TestDialog& dialog, UINT msg, int id) {
    for (const auto& entry : dialog.received)
        if (entry == std::make_pair(msg, id)) return true;
    return false;
}

TEST(Dialog, ModelessBindsItsControlsBeforeInitAndOutlivesOkAndCancel) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_TRUE(dialog.boundAtInit);
    EXPECT_FALSE(dialog.Create());
    EXPECT_EQ(CWnd::FromHandlePermanent(dialog.GetDlgItem(IDC_APPLY)), &dialog.apply);

    MSG escape{};
    escape.hwnd = dialog.m_hWnd;
    escape.message = WM_KEYDOWN;
    escape.wParam = VK_ESCAPE;
    EXPECT_TRUE(IsDialogMessageW(dialog.m_hWnd, &escape));
    dialog.SendMessage(WM_COMMAND, IDOK);
    dialog.SendMessage(WM_CLOSE);
    WinTest::Pump();  // what the dialog manager posted to itself
    EXPECT_TRUE(IsWindow(dialog.m_hWnd));
    EXPECT_TRUE(dialog.IsWindowVisible());
    EXPECT_TRUE(Received(dialog, WM_COMMAND, IDCANCEL));

    HWND hwnd = dialog.m_hWnd;
    dialog.DestroyWindow();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.slider.m_hWnd, nullptr);
}

TEST(Dialog, ModalReturnsTheEndDialogCodeAndCanRunAgain) {
    TestDialog dialog;
    dialog.onInit = [](TestDialog& d) { d.PostMessage(kEndWith42); };
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_TRUE(dialog.boundAtInit);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.apply.m_hWnd, nullptr);

    dialog.boundAtInit = false;
    dialog.onInit = [](TestDialog& d) { d.PostMessage(WM_KEYDOWN, VK_ESCAPE); };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.boundAtInit);

    dialog.onInit = [](TestDialog& d) { d.PostMessage(WM_COMMAND, IDOK); };
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(Dialog, AModalWithoutParentIsOwnedByTheMainWindowCentredAndKeptOnScreen) {
    CWinApp app(L"framework_dialog_test");
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    struct Case {
        RECT owner;  // left, top, width, height
        bool centred;
    } cases[] = {{{60, 80, 900, 600}, true}, {{0, 0, 120, 60}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.owner.left);
        CWnd owner;
        ASSERT_TRUE(owner.CreateEx(0, L"Owner", WS_POPUP | WS_VISIBLE, c.owner.left, c.owner.top, c.owner.right,
                                   c.owner.bottom, nullptr, nullptr));
        app.m_pMainWnd = &owner;
        TestDialog dialog;
        HWND seenOwner = nullptr;
        bool ownerEnabled = true;
        RECT placed{};
        dialog.onInit = [](TestDialog& d) { d.PostMessage(kEndWith42); };
        dialog.beforeEnd = [&](TestDialog& d) {
            seenOwner = GetWindow(d.m_hWnd, GW_OWNER);
            ownerEnabled = IsWindowEnabled(owner.m_hWnd);
            GetWindowRect(d.m_hWnd, &placed);
        };
        EXPECT_EQ(dialog.DoModal(), 42);
        EXPECT_EQ(seenOwner, owner.m_hWnd);
        EXPECT_FALSE(ownerEnabled);
        EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd));
        if (c.centred) {
            EXPECT_NEAR((placed.left + placed.right) / 2, c.owner.left + c.owner.right / 2, 1);
            EXPECT_NEAR((placed.top + placed.bottom) / 2, c.owner.top + c.owner.bottom / 2, 1);
        } else {
            EXPECT_GE(placed.left, screen.left);
            EXPECT_GE(placed.top, screen.top);
            EXPECT_LE(placed.right, screen.right);
        }
        app.m_pMainWnd = nullptr;
    }
}

TEST(Dialog, AControlMissingFromTheTemplateFailsTheDialog) {
    TestDialog modeless(4242);
    EXPECT_FALSE(modeless.Create());
    EXPECT_EQ(modeless.m_hWnd, nullptr);
    EXPECT_EQ(modeless.slider.m_hWnd, nullptr);

    TestDialog modal(4242);
    bool initRan = false;
    modal.onInit = [&](TestDialog&) { initRan = true; };
    EXPECT_EQ(modal.DoModal(), -1);
    EXPECT_FALSE(initRan);
}

TEST(Dialog, AnswersFromItsOwnMapReachTheSender) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    const LRESULT icon = dialog.SendMessage(WM_QUERYDRAGICON);
    EXPECT_NE(icon, 0);
    EXPECT_EQ(icon, reinterpret_cast<LRESULT>(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))));
}

// A static answering its colour request, a button taking its click and drawing, a slider drawing
// itself: each keeps that from the dialog, while its unbound neighbours still reach it.
TEST(Reflection, ControlsThatAnswerTheirOwnNotificationsKeepThemFromTheDialog) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    GdiCanvas canvas(400, 40);
    ASSERT_TRUE(canvas.valid());

    dialog.redLabel.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(canvas.Pixel(1, 1), kRed);
    dialog.plainLabel.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_NE(canvas.Pixel(1, 1), kRed);
    EXPECT_FALSE(Received(dialog, WM_CTLCOLORSTATIC, IDC_CORE_VALUE));
    EXPECT_TRUE(Received(dialog, WM_CTLCOLORSTATIC, IDC_MEMORY_VALUE));
    EXPECT_EQ(dialog.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.dc()),
                                 reinterpret_cast<LPARAM>(dialog.redLabel.m_hWnd)),
              reinterpret_cast<LRESULT>(dialog.redLabel.brush()));

    SendMessageW(dialog.GetDlgItem(IDC_APPLY), BM_CLICK, 0, 0);
    SendMessageW(dialog.GetDlgItem(IDC_RESET), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.apply.clicks, 1);
    EXPECT_FALSE(Received(dialog, WM_COMMAND, IDC_APPLY));
    EXPECT_TRUE(Received(dialog, WM_COMMAND, IDC_RESET));
    for (int id : {IDC_APPLY, IDC_RESET}) {
        HWND button = dialog.GetDlgItem(id);
        SendMessageW(button, BM_SETSTYLE, BS_OWNERDRAW, FALSE);
        SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    }
    EXPECT_EQ(dialog.apply.draws, 1);
    EXPECT_FALSE(Received(dialog, WM_DRAWITEM, IDC_APPLY));
    EXPECT_TRUE(Received(dialog, WM_DRAWITEM, IDC_RESET));

    dialog.slider.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    EXPECT_EQ(dialog.slider.items.count(TBCD_CHANNEL), 1u);
    EXPECT_EQ(dialog.slider.items.count(TBCD_THUMB), 1u);
}

TEST(SliderCtrl, RangeAndPositionRoundTripBeyondSixteenBits) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CSliderCtrl& slider = dialog.slider;
    slider.SetRange(350, 931);
    EXPECT_EQ(slider.GetRangeMin(), 350);
    EXPECT_EQ(slider.GetRangeMax(), 931);
    slider.SetPos(700);
    EXPECT_EQ(slider.GetPos(), 700);
    slider.SetPos(2000);
    EXPECT_EQ(slider.GetPos(), 931);
    const RECT atMax = slider.GetThumbRect();
    slider.SetPos(350);
    EXPECT_LT(slider.GetThumbRect().left, atMax.left);

    slider.SetRange(262, 70000, true);
    EXPECT_EQ(slider.GetRangeMin(), 262);
    EXPECT_EQ(slider.GetRangeMax(), 70000);
    slider.SetPos(69000);
    EXPECT_EQ(slider.GetPos(), 69000);
    slider.SetRangeMax(90000);
    slider.SetRangeMin(300);
    EXPECT_EQ(slider.GetRangeMin(), 300);
    EXPECT_EQ(slider.GetRangeMax(), 90000);
}

}  // namespace
