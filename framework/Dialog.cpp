#include "framework/Dialog.h"

#include <algorithm>

#include "framework/WinApp.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

bool CDialog::Create() {
    if (m_hWnd) return false;
    m_modal = false;
    const HWND hwnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), ParentHandle(),
                                         &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (!hwnd || hwnd != m_hWnd) return false;
    if (CWinApp* app = CWinApp::Current()) app->AddModeless(hwnd);
    return true;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd) return -1;
    m_modal = true;
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), ModalOwner(),
                                           &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    m_modal = false;
    return result;
}

// Without an owner the main window would stay usable underneath: a second copy of the dialog
// could open, or its commands act on what the dialog is changing.
HWND CDialog::ModalOwner() const {
    if (m_parent) return m_parent->m_hWnd;
    const CWinApp* app = CWinApp::Current();
    const HWND main = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
    return main && IsWindow(main) ? main : nullptr;
}

void CDialog::OnOK() {
    if (m_modal) EndDialog(IDOK);
}

void CDialog::OnCancel() {
    if (m_modal) EndDialog(IDCANCEL);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    // Once the object holds the window, its subclass sees every message before the dialog
    // manager does; all that is left here is the dialog manager's own handling.
    if (msg != WM_INITDIALOG || !lp || FromHandlePermanent(hwnd)) return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lp);
    dialog->Attach(hwnd, reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)));
    dialog->m_initPending = true;
    // Through the subclass, so a dialog that ends itself during its initialisation is released
    // only after it.
    return StaticWndProc(hwnd, msg, wp, lp);
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG:
        if (!m_initPending) break;
        m_initPending = false;
        return InitDialog();
    case WM_COMMAND:
        if (HIWORD(wp) != BN_CLICKED) break;
        if (LOWORD(wp) == IDOK) {
            OnOK();
            return 0;
        }
        if (LOWORD(wp) == IDCANCEL) {
            OnCancel();
            return 0;
        }
        break;
    }
    return Default(msg, wp, lp);
}

LRESULT CDialog::InitDialog() {
    for (const Binding& binding : m_bindings) {
        if (!binding.control->SubclassDlgItem(binding.id, this)) {
            // A template that lacks a bound control cannot make this dialog.
            if (m_modal)
                EndDialog(-1);
            else
                DestroyWindow();
            return FALSE;
        }
    }
    if (m_modal) CentreIfUnplaced();
    return OnInitDialog();
}

// The dialog manager puts a template's (0, 0) at the owner's client origin.
void CDialog::CentreIfUnplaced() {
    const HWND owner = GetWindow(m_hWnd, GW_OWNER);
    if (!owner) return;
    RECT dialog{}, area{};
    GetWindowRect(m_hWnd, &dialog);
    POINT origin{0, 0};
    ClientToScreen(owner, &origin);
    if (dialog.left != origin.x || dialog.top != origin.y) return;
    GetWindowRect(owner, &area);
    const int width = dialog.right - dialog.left, height = dialog.bottom - dialog.top;
    int x = (area.left + area.right - width) / 2, y = (area.top + area.bottom - height) / 2;
    // Over a small owner near the screen's edge the caption must stay reachable.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        x = std::max(std::min(x, static_cast<int>(work.right) - width), static_cast<int>(work.left));
        y = std::max(std::min(y, static_cast<int>(work.bottom) - height), static_cast<int>(work.top));
    }
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
