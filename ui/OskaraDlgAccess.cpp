// The main window by keyboard and for screen readers.
#include "ui/OskaraDlg.h"

#include "gpu/FanPosition.h"
#include "res/resource.h"
#include "ui/ValueLabels.h"

namespace {
// The value labels' colour: a mark that reads like their text.
constexpr COLORREF kFocusMarkColour = RGB(0, 0, 0);
}  // namespace

std::wstring COskaraDlg::FanValueText() {
    return FanReading(m_fanSlider.GetPos(), m_owner.CurveDriving(), m_owner.Curve().Level());
}

void COskaraDlg::SetFocusMarks() {
    const FocusMark mark{kFocusMarkColour, m_scale};
    for (CMySliderControl* slider : {&m_coreSlider, &m_memorySlider, &m_shaderSlider, &m_fanSlider})
        slider->SetFocusMark(mark);
    for (CButtonST* button : {&m_minimize, &m_close, &m_options, &m_profiles, &m_reset, &m_apply})
        button->SetFocusMark(mark);
}

// The window starts with the core slider focused and the mark hidden: the look with the mouse
// stays the skin's own until a key is used.
void COskaraDlg::AttachAccess() {
    m_access.Attach(m_hWnd, [this] { return FanValueText(); });
    SendMessage(WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL));
    ::SetFocus(m_coreSlider.m_hWnd);
}

// A focused button is what Enter presses; from anywhere else it presses Apply.
int COskaraDlg::EnterCommand() {
    const HWND focus = GetFocus();
    for (CButtonST* button : {&m_minimize, &m_close, &m_options, &m_profiles, &m_reset, &m_apply})
        if (focus && focus == button->m_hWnd) return button->GetDlgCtrlID();
    return IDC_APPLY;
}
