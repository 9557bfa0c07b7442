#include "framework/KeyboardCues.h"

namespace {
const wchar_t kCuesProperty[] = L"Oskara.KeyboardCues";
}  // namespace

bool KeyboardCuesShown(HWND topLevel) {
    return GetPropW(topLevel, kCuesProperty) && !(SendMessageW(topLevel, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

void ShowKeyboardCues(HWND topLevel) {
    if (GetPropW(topLevel, kCuesProperty)) return;
    SetPropW(topLevel, kCuesProperty, reinterpret_cast<HANDLE>(1));
    SendMessageW(topLevel, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    RedrawWindow(topLevel, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}
