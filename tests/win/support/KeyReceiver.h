#pragma once
// A hidden window that keeps what a controller's transport sends it: keys (WM_USER) and device
// notices with the path they name.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/Wnd.h"

class KeyReceiver : public CWnd {
public:
    KeyReceiver() { CreateEx(0, L"key receiver", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr); }
    ~KeyReceiver() override { DestroyWindow(); }

    std::vector<WPARAM> keys;
    std::vector<std::pair<WPARAM, std::wstring>> notices;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
};
