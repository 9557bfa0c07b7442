#pragma once
#include <windows.h>

#include "framework/Controls.h"
#include "framework/Dialog.h"

// "Keep these clocks?": modeless, owned by the main window, whose timer counts it down; Revert
// is the default. It frees itself when its window is gone.
class CConfirmClocksDlg : public CDialog {
public:
    class Host {
    public:
        virtual void KeepClocks() = 0;
        // Revert, Escape or the window's close box.
        virtual void RevertClocks() = 0;
        virtual void ConfirmDialogGone(CConfirmClocksDlg* dialog) = 0;

    protected:
        ~Host() = default;
    };

    CConfirmClocksDlg(Host& host, CWnd* owner);

    void ShowSecondsLeft(int seconds);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PostNcDestroy() override;

private:
    Host& m_host;
    CStatic m_countdown;
};
