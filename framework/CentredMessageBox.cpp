#include "framework/CentredMessageBox.h"

#include <algorithm>

#include "framework/OwnedHandle.h"

namespace {

struct HookTraits {
    using Handle = HHOOK;
    static Handle Empty() { return nullptr; }
    static void Release(Handle h) { UnhookWindowsHookEx(h); }
};

// Marks a box already placed: a later activation must not pull back a box the user moved.
const wchar_t kPlacedProperty[] = L"OskaraBoxPlaced";

void CentreOverOwner(HWND box) {
    HWND owner = GetWindow(box, GW_OWNER);
    RECT ownerRect, boxRect;
    if (!owner || !GetWindowRect(owner, &ownerRect) || !GetWindowRect(box, &boxRect)) return;
    const LONG width = boxRect.right - boxRect.left, height = boxRect.bottom - boxRect.top;
    LONG x = (ownerRect.left + ownerRect.right - width) / 2;
    LONG y = (ownerRect.top + ownerRect.bottom - height) / 2;
    MONITORINFO monitor{sizeof(monitor)};
    if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& area = monitor.rcWork;
        x = std::max(area.left, std::min(x, area.right - width));
        y = std::max(area.top, std::min(y, area.bottom - height));
    }
    SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK PlaceBox(int code, WPARAM wParam, LPARAM lParam) {
    HWND box = reinterpret_cast<HWND>(wParam);
    wchar_t name[8] = L"";
    if ((code == HCBT_ACTIVATE || code == HCBT_DESTROYWND) && GetClassNameW(box, name, 8) &&
        lstrcmpW(name, L"#32770") == 0) {
        if (code == HCBT_DESTROYWND) RemovePropW(box, kPlacedProperty);
        else if (!GetPropW(box, kPlacedProperty) && SetPropW(box, kPlacedProperty, box)) CentreOverOwner(box);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int CentredMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    COwnedHandle<HookTraits> hook(SetWindowsHookExW(WH_CBT, PlaceBox, nullptr, GetCurrentThreadId()));
    return MessageBoxW(owner, text, caption, type);
}
