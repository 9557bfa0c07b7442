// The fan curve editor driven with the mouse inside its own loop: drags held by the neighbours, a
// point added on the line and one removed, the keyboard's rows following, and OK storing it all;
// then the same by keys on the graph, read as a screen reader reads it.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include <cmath>

#include "res/resource.h"
#include "store/Settings.h"
#include "framework/ComPtr.h"
#include "tests/host/MemorySettingsStore.h"
#include "tests/win/support/AccessibleReading.h"
#include "tests/win/support/ModalScript.h"
#include "ui/FanCurveDlg.h"

namespace {

// Aimed as a user aims at the drawn graph, whose plot leaves 30 px left and 20 below for the axis
// numbers and 10 right and above, and spans 0..120 °C across and 0..100 % up.
LPARAM At(HWND graph, FanCurvePoint point) {
    RECT client{};
    GetClientRect(graph, &client);
    const long x = 30 + std::lround(point.celsius * (client.right - 40) / 120.0);
    const long y = client.bottom - 20 - std::lround(point.percent * (client.bottom - 30) / 100.0);
    return MAKELPARAM(x, y);
}

void Drag(HWND graph, FanCurvePoint from, FanCurvePoint to) {
    PostMessageW(graph, WM_LBUTTONDOWN, MK_LBUTTON, At(graph, from));
    PostMessageW(graph, WM_MOUSEMOVE, MK_LBUTTON, At(graph, to));
    PostMessageW(graph, WM_LBUTTONUP, 0, At(graph, to));
}

TEST(FanCurveEditor, TheMouseEditsThePointsAndOkStoresTheCurveWithItsSettings) {
    MemorySettingsStore settings;
    std::wstring rows;
    ModalScript script(L"Fan curve", {
        [&](HWND d) {
            const HWND graph = GetDlgItem(d, IDC_FAN_CURVE_GRAPH);
            Drag(graph, {40, 30}, {30, 20});
            Drag(graph, {60, 50}, {100, 50});  // stops short of 75 °C
            PostMessageW(graph, WM_RBUTTONDOWN, MK_RBUTTON, At(graph, {85, 100}));
            // 50 °C lies at 34 % on the line from 30:20 to 74:50.
            PostMessageW(graph, WM_LBUTTONDBLCLK, MK_LBUTTON, At(graph, {50, 34}));
            PostMessageW(GetDlgItem(d, IDC_FAN_CURVE_ON), BM_CLICK, 0, 0);
            SetDlgItemTextW(d, IDC_FAN_CURVE_HYSTERESIS, L"4");
        },
        [&](HWND d) {
            wchar_t text[256] = L"";
            GetDlgItemTextW(d, IDC_FAN_CURVE_POINTS, text, 256);
            rows = text;
            ModalScript::Click(d, IDOK);
        },
    });
    CFanCurveDlg editor(settings, [] { return FanCurvePoint{55, 45}; }, nullptr);
    EXPECT_EQ(editor.DoModal(), IDOK);
    EXPECT_TRUE(script.AllRan());
    EXPECT_TRUE(script.MessageBoxes().empty());
    EXPECT_EQ(rows, L"30 20\r\n50 34\r\n74 50\r\n75 80\r\n");
    EXPECT_EQ(settings.ReadString(L"", Settings::FanCurve, L""), L"30:20,50:34,74:50,75:80");
    EXPECT_EQ(Settings::Read(settings, Settings::FanCurveOn), 1u);
    EXPECT_EQ(Settings::Read(settings, Settings::FanCurveHysteresis), 4u);
}

TEST(FanCurveEditor, KeysChooseMoveAddAndRemovePointsAndAReaderHearsTheChosenOne) {
    const CComScope com;
    MemorySettingsStore settings;
    const struct {
        std::vector<WPARAM> keys;
        const wchar_t* value;
    } steps[] = {
        {{}, L"Point 1 of 4: 40 \u00B0C, 30 %"},
        {{VK_NEXT, VK_RIGHT, VK_UP, VK_UP}, L"Point 2 of 4: 61 \u00B0C, 52 %"},
        {{VK_INSERT}, L"Point 3 of 5: 68 \u00B0C, 66 %"},
        {{VK_DELETE, VK_DELETE, VK_DELETE, VK_DELETE}, L"Point 2 of 2: 61 \u00B0C, 52 %"},
        {{VK_PRIOR, VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT,
          VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT,
          VK_RIGHT, VK_RIGHT},  // held below its neighbour at 61 °C
         L"Point 1 of 2: 60 \u00B0C, 29 %"},
    };
    std::vector<AccessibleReading> seen;
    std::vector<ModalScript::Step> script;
    for (const auto& step : steps) {
        script.push_back([&, keys = step.keys](HWND d) {
            const HWND graph = GetDlgItem(d, IDC_FAN_CURVE_GRAPH);
            if (seen.empty()) SetFocus(graph);
            seen.push_back({});
            for (WPARAM key : keys) ModalScript::PressKey(graph, key);
        });
        script.push_back([&](HWND d) { seen.back() = ReadAccessible(GetDlgItem(d, IDC_FAN_CURVE_GRAPH)); });
    }
    script.push_back([](HWND d) { ModalScript::Click(d, IDOK); });
    ModalScript modal(L"Fan curve", script);
    CFanCurveDlg editor(settings, {}, nullptr);
    EXPECT_EQ(editor.DoModal(), IDOK);
    EXPECT_TRUE(modal.AllRan());
    ASSERT_EQ(seen.size(), std::size(steps));
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].name, L"Fan curve");
        EXPECT_EQ(seen[i].role, ROLE_SYSTEM_CHART);
        EXPECT_EQ(seen[i].value, steps[i].value) << i;
    }
    EXPECT_EQ(settings.ReadString(L"", Settings::FanCurve, L""), L"60:29,61:52");
}

}  // namespace
