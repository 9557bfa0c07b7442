#include "ui/MonitorWnd.h"

#include <cwchar>
#include <windowsx.h>

#include "framework/FileDialog.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "store/Settings.h"
#include "ui/WindowDpi.h"

namespace {
// At 96 DPI; every length of the window grows with its DPI.
constexpr int kDefaultWidth = 640, kDefaultHeight = 520;
constexpr int kMinimumWidth = 420, kMinimumHeight = 320;
constexpr int kBarTop = 6, kBarRowHeight = 22, kStatusLeft = 302;

struct Child {
    const wchar_t* cls;
    const wchar_t* text;
    DWORD style;
    int x, width, id;
};
constexpr Child kChildren[] = {
    {L"STATIC", L"Span:", SS_CENTERIMAGE, 8, 34, IDC_MONITOR_SPAN_LABEL},
    {L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 44, 72, IDC_MONITOR_SPAN},
    {L"BUTTON", L"Log to file...", BS_PUSHBUTTON | WS_TABSTOP, 128, 90, IDC_MONITOR_LOG},
    {L"BUTTON", L"Stop log", BS_PUSHBUTTON | WS_TABSTOP, 224, 70, IDC_MONITOR_STOP_LOG},
    {L"STATIC", L"", SS_CENTERIMAGE | SS_PATHELLIPSIS, kStatusLeft, 300, IDC_MONITOR_STATUS},
};

int ScreenDpi() {
    const CClientDC screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

// The system's dialog font at the window's DPI: the stock font is made for the screen's.
HFONT CreateFontAtDpi(UINT dpi) {
    LOGFONTW font{};
    if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font)) return nullptr;
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), ScreenDpi());
    return CreateFontIndirectW(&font);
}
}  // namespace

bool CMonitorWnd::Create() {
    m_spanIndex = SpanIndex(Settings::Read(m_settings, Settings::MonitorSpan));
    const RECT r = StoredRect();
    if (!CreateEx(0, OSKARA_MONITOR_TITLE, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, r.left, r.top, r.right - r.left,
                  r.bottom - r.top, nullptr, nullptr))
        return false;
    CreateControls();
    ApplyDpi(DpiOfWindow(m_hWnd));
    if (CWinApp* app = CWinApp::Current()) app->AddModeless(m_hWnd);
    m_access.Attach(m_hWnd, [this] { return AccessibleGraphs(); });
    RECT client;
    GetClientRect(m_hWnd, &client);
    OnSize(client.right, client.bottom);
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    return true;
}

// A stored rectangle that is too small or on no monitor (a display since removed, a hand-edited
// value) gives the default place.
RECT CMonitorWnd::StoredRect() const {
    const int left = static_cast<int32_t>(Settings::Read(m_settings, Settings::MonitorLeft));
    const int top = static_cast<int32_t>(Settings::Read(m_settings, Settings::MonitorTop));
    const int width = static_cast<int32_t>(Settings::Read(m_settings, Settings::MonitorWidth));
    const int height = static_cast<int32_t>(Settings::Read(m_settings, Settings::MonitorHeight));
    const RECT stored{left, top, left + width, top + height};
    const bool usable = width >= kMinimumWidth && height >= kMinimumHeight && width <= 16384 && height <= 16384 &&
                        MonitorFromRect(&stored, MONITOR_DEFAULTTONULL);
    if (usable) return stored;
    const UINT dpi = static_cast<UINT>(ScreenDpi());
    return {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT + AtDpi(kDefaultWidth, dpi),
            CW_USEDEFAULT + AtDpi(kDefaultHeight, dpi)};
}

void CMonitorWnd::StoreRect() {
    RECT r;
    if (IsIconic(m_hWnd) || IsZoomed(m_hWnd) || !GetWindowRect(m_hWnd, &r)) return;
    Settings::Write(m_settings, Settings::MonitorLeft, static_cast<uint32_t>(r.left));
    Settings::Write(m_settings, Settings::MonitorTop, static_cast<uint32_t>(r.top));
    Settings::Write(m_settings, Settings::MonitorWidth, static_cast<uint32_t>(r.right - r.left));
    Settings::Write(m_settings, Settings::MonitorHeight, static_cast<uint32_t>(r.bottom - r.top));
}

void CMonitorWnd::CreateControls() {
    for (const Child& child : kChildren)
        CreateWindowExW(0, child.cls, child.text, WS_CHILD | WS_VISIBLE | child.style, 0, 0, 0, 0, m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)), GetModuleHandleW(nullptr), nullptr);
    m_span = GetDlgItem(IDC_MONITOR_SPAN);
    m_status = GetDlgItem(IDC_MONITOR_STATUS);
    for (int minutes : kSpanMinutes) {
        const std::wstring text = std::to_wstring(minutes) + L" min";
        ::SendMessageW(m_span, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    ::SendMessageW(m_span, CB_SETCURSEL, static_cast<WPARAM>(m_spanIndex), 0);
}

void CMonitorWnd::ApplyDpi(UINT dpi) {
    m_dpi = dpi;
    m_font.Reset(CreateFontAtDpi(dpi));
    for (const Child& child : kChildren) {
        const HWND control = GetDlgItem(child.id);
        // The combo box's height is its open list's.
        const int height = AtDpi(child.id == IDC_MONITOR_SPAN ? 160 : kBarRowHeight, dpi);
        SetWindowPos(control, nullptr, AtDpi(child.x, dpi), AtDpi(kBarTop, dpi), AtDpi(child.width, dpi), height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), TRUE);
    }
}

void CMonitorWnd::SetLogStatus(const std::wstring& text, bool logging) {
    if (m_status) ::SetWindowTextW(m_status, text.c_str());
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_MONITOR_STOP_LOG), logging);
}

int CMonitorWnd::SpanSeconds() const { return kSpanMinutes[m_spanIndex] * 60; }

void CMonitorWnd::OnSize(int width, int height) {
    if (width <= 0 || height <= 0) return;
    m_width = width;
    m_height = height;
    if (m_status)
        SetWindowPos(m_status, nullptr, 0, 0, std::max(width - Px(kStatusLeft + 8), 10), Px(kBarRowHeight),
                     SWP_NOMOVE | SWP_NOZORDER);
    CClientDC screen(m_hWnd);
    if (!m_buffer.CreateCompatible(screen.Get(), width, height)) return;
    Redraw();
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CMonitorWnd::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    const RECT& r = paint.rcPaint;
    if (m_buffer)
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, m_buffer.Get(), r.left, r.top, SRCCOPY);
    EndPaint(m_hWnd, &paint);
}

void CMonitorWnd::ChooseLogFile() {
    wchar_t path[MAX_PATH] = L"oskara-log.csv";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = m_hWnd;
    dialog.lpstrFilter = L"CSV files (*.csv)\0*.csv\0All files\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = L"csv";
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN | OFN_HIDEREADONLY;
    if (AskFileName(FileDialogKind::Save, dialog)) m_owner.StartLog(path);
}

bool CMonitorWnd::OnCommand(WORD id, WORD code) {
    if (id == IDC_MONITOR_SPAN && code == CBN_SELCHANGE) {
        const LRESULT index = ::SendMessageW(m_span, CB_GETCURSEL, 0, 0);
        if (index < 0 || index >= static_cast<LRESULT>(std::size(kSpanMinutes))) return true;
        m_spanIndex = static_cast<int>(index);
        Settings::Write(m_settings, Settings::MonitorSpan, static_cast<uint32_t>(kSpanMinutes[m_spanIndex]));
        Redraw();
        InvalidateRect(m_hWnd, nullptr, FALSE);
        return true;
    }
    if (code != BN_CLICKED) return false;
    if (id == IDC_MONITOR_LOG) ChooseLogFile();
    if (id == IDC_MONITOR_STOP_LOG) m_owner.StopLog();
    return id == IDC_MONITOR_LOG || id == IDC_MONITOR_STOP_LOG;
}

LRESULT CMonitorWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        if (wp != SIZE_MINIMIZED) OnSize(LOWORD(lp), HIWORD(lp));
        return 0;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lp);
        limits->ptMinTrackSize = {Px(kMinimumWidth), Px(kMinimumHeight)};
        return 0;
    }
    case WM_DPICHANGED: {
        ApplyDpi(HIWORD(wp));
        const RECT& suggested = *reinterpret_cast<const RECT*>(lp);
        SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client;
        GetClientRect(m_hWnd, &client);
        OnSize(client.right, client.bottom);
        return 0;
    }
    case WM_COMMAND:
        if (OnCommand(LOWORD(wp), HIWORD(wp))) return 0;
        break;
    case WM_DESTROY:
        StoreRect();
        m_buffer.Reset();
        m_span = m_status = nullptr;
        m_owner.MonitorClosed();
        break;
    }
    return CWnd::WindowProc(msg, wp, lp);
}
