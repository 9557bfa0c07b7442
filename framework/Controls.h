#pragma once
#include "framework/Wnd.h"

// The plain controls a dialog binds by id; the skin's controls derive from them.
class CStatic : public CWnd {};

class CButton : public CWnd {
public:
    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE for a check box.
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int state) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
};
