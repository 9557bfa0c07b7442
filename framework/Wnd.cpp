#include "framework/Wnd.h"

#include "framework/WinApp.h"

namespace {
const wchar_t kObjectProperty[] = L"Oskara.CWnd";

// Handlers run, and windows destroyed meanwhile, per thread rather than per window: a dialog
// closed by its own button must outlive the button's handler too. Trivially destructible, so
// windows that outlive the thread's storage at exit still find it.
struct ThreadDispatch {
    int depth = 0;
    CWnd* destroyed = nullptr;
};
thread_local ThreadDispatch t_dispatch;
const wchar_t kWindowClass[] = L"Oskara.Window";

bool RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kWindowClass, &wc)) return true;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kWindowClass;
    return RegisterClassExW(&wc) != 0;
}

// The child control that sent a notification to its parent, if the message is one a control
// may answer for itself.
HWND ReflectionSource(UINT msg, LPARAM lp) {
    if (!lp) return nullptr;
    switch (msg) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_COMMAND:
        return reinterpret_cast<HWND>(lp);
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(lp)->hwndFrom;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        return item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
    }
    default:
        return nullptr;
    }
}
}  // namespace

CWnd::~CWnd() {
    for (CWnd** link = &t_dispatch.destroyed; *link; link = &(*link)->m_nextDestroyed) {
        if (*link != this) continue;
        *link = m_nextDestroyed;
        break;
    }
    if (m_hWnd) {
        // The object goes first: the window must not reach it any more.
        HWND hwnd = m_hWnd;
        Detach();
        ::DestroyWindow(hwnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    return hwnd ? static_cast<CWnd*>(GetPropW(hwnd, kObjectProperty)) : nullptr;
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int width, int height,
                    HWND parent, HMENU menu) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (m_hWnd || !RegisterWindowClass(instance)) return false;
    HWND hwnd = CreateWindowExW(exStyle, kWindowClass, title, style, x, y, width, height, parent, menu, instance,
                                nullptr);
    if (!hwnd) return false;
    Attach(hwnd, DefWindowProcW);
    return true;
}

bool CWnd::SubclassWindow(HWND hwnd) {
    if (m_hWnd || !IsWindow(hwnd) || FromHandlePermanent(hwnd)) return false;
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    Attach(hwnd, previous);
    PreSubclassWindow();
    return true;
}

bool CWnd::SubclassDlgItem(int id, CWnd* parent) {
    return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, id));
}

void CWnd::Attach(HWND hwnd, WNDPROC previous) {
    m_hWnd = hwnd;
    m_previousProc = previous;
    SetPropW(hwnd, kObjectProperty, this);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc));
}

void CWnd::Detach() {
    if (!m_hWnd) return;
    SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
    RemovePropW(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
}

bool CWnd::DestroyWindow() { return m_hWnd && ::DestroyWindow(m_hWnd); }

std::wstring CWnd::GetWindowText() const {
    const int length = GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(m_hWnd, text.data(), length + 1)));
    return text;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

bool CWnd::OnReflect(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT CWnd::Default(UINT msg, WPARAM wp, LPARAM lp) {
    if (!m_hWnd) return 0;
    return CallWindowProcW(m_previousProc ? m_previousProc : DefWindowProcW, m_hWnd, msg, wp, lp);
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd) return DefWindowProcW(hwnd, msg, wp, lp);
    ++t_dispatch.depth;
    LRESULT result = 0;
    CWnd* child = FromHandlePermanent(ReflectionSource(msg, lp));
    if (!child || child == wnd || !child->OnReflect(msg, wp, lp, result)) result = wnd->WindowProc(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        wnd->Detach();
        CWnd** last = &t_dispatch.destroyed;
        while (*last) last = &(*last)->m_nextDestroyed;
        *last = wnd;
        CWinApp* app = CWinApp::Current();
        if (app) app->RemoveModeless(hwnd);
        if (app && app->m_pMainWnd == wnd) {
            app->m_pMainWnd = nullptr;
            PostQuitMessage(0);
        }
    }
    if (t_dispatch.depth == 1) ReleaseDestroyed();
    --t_dispatch.depth;
    return result;
}

// Still counted as a handler: windows a PostNcDestroy destroys join the queue, and an object
// freed there leaves it in its destructor.
void CWnd::ReleaseDestroyed() {
    while (CWnd* wnd = t_dispatch.destroyed) {
        t_dispatch.destroyed = wnd->m_nextDestroyed;
        wnd->m_nextDestroyed = nullptr;
        wnd->PostNcDestroy();
    }
}
