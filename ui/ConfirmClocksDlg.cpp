#include "ui/ConfirmClocksDlg.h"

#include "res/resource.h"

CConfirmClocksDlg::CConfirmClocksDlg(Host& host, CWnd* owner) : CDialog(IDD_CONFIRM_CLOCKS, owner), m_host(host) {
    BindControl(m_countdown, IDC_CONFIRM_COUNTDOWN);
}

void CConfirmClocksDlg::ShowSecondsLeft(int seconds) {
    m_countdown.SetWindowText(L"The previous clocks come back in " + std::to_wstring(seconds) + L" s.");
}

void CConfirmClocksDlg::PostNcDestroy() {
    m_host.ConfirmDialogGone(this);
    delete this;
}

LRESULT CConfirmClocksDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        switch (LOWORD(wp)) {
        case IDC_CONFIRM_KEEP: m_host.KeepClocks(); return 0;
        case IDC_CONFIRM_REVERT:
        case IDCANCEL: m_host.RevertClocks(); return 0;
        }
    }
    return CDialog::WindowProc(msg, wp, lp);
}
