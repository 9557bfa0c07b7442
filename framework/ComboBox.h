#pragma once
#include <windows.h>


#include "framework/Wnd.h"

// A combo box; in a drop-down list its window text is the selected item's text.
class CComboBox : public CWnd {
public:
    int AddString(const wchar_t* text) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    // -1 clears the selection.
    void SetCurSel(int index) { SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)); }
};
