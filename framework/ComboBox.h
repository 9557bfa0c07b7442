#pragma once
#include <windows.h>

#include <string>

#include "framework/Wnd.h"

// A combo box; in a drop-down list its window text is the selected item's text.
class CComboBox : public CWnd {
public:
    int AddString(const wchar_t* text) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    // -1 clears the selection.
    void SetCurSel(int index) { SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
};
