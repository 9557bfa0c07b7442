#pragma once
#include <windows.h>

#include <vector>

#include "framework/Wnd.h"

// A dialog from a template resource, modeless (Create) or modal (DoModal).
//
// A modal dialog without a parent is owned by the application's main window, which stays
// disabled while it runs and is activated again when it ends; a template placed at (0, 0) is
// centred over its owner.
//
// A derived dialog declares its controls as members and lists them in its constructor with
// BindControl(member, id); each member then owns its control from before OnInitDialog until the
// dialog goes. Its message map is a WindowProc override that handles its own entries and passes
// everything else to CDialog::WindowProc. The members die before this base does, so a dialog
// whose window may still be open when the object goes calls DestroyWindow() in its own destructor.
//
// The dialog window is subclassed at WM_INITDIALOG, outside the dialog manager's procedure, so a
// handler's return value is what the sender gets, for every message: a WM_CTLCOLORSTATIC brush,
// a WM_NOTIFY result, an icon for WM_QUERYDRAGICON. Nothing goes through DWLP_MSGRESULT.
class CDialog : public CWnd {
public:
    CDialog(UINT templateId, CWnd* parent = nullptr);

    // Modeless, its keyboard handled by the application's loop: false when the template, a
    // window or a binding could not be made.
    bool Create();
    // Modal: runs until EndDialog and gives its code; -1 when the dialog could not be made.
    INT_PTR DoModal();
    // Ends a modal dialog with the code DoModal returns.
    void EndDialog(int result) { ::EndDialog(m_hWnd, result); }

protected:
    // Subclasses the control with the given id when the dialog is made; call from the constructor.
    void BindControl(CWnd& control, int id) { m_bindings.push_back({&control, id}); }

    // The controls are bound by then. True gives the focus to the first control.
    virtual bool OnInitDialog() { return true; }
    // Enter and Escape (IDOK, IDCANCEL) end a modal dialog; a modeless one ignores them.
    virtual void OnOK();
    virtual void OnCancel();

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    struct Binding {
        CWnd* control;
        int id;
    };

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND ParentHandle() const { return m_parent ? m_parent->m_hWnd : nullptr; }
    HWND ModalOwner() const;
    LRESULT InitDialog();
    void CentreIfUnplaced();

    UINT m_templateId;
    CWnd* m_parent;
    bool m_modal = false;
    bool m_initPending = false;
    std::vector<Binding> m_bindings;
};
