#include "tests/win/support/KeyReceiver.h"

#include <dbt.h>

LRESULT KeyReceiver::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_USER) keys.push_back(wp);
    if (msg == WM_DEVICECHANGE) {
        const auto* notice = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(lp);
        notices.emplace_back(wp, notice->dbcc_devicetype == DBT_DEVTYP_DEVICEINTERFACE ? notice->dbcc_name : L"");
    }
    return CWnd::WindowProc(msg, wp, lp);
}
