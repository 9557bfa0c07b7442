#pragma once
#include <windows.h>

#include <string>

// A window and the object that handles its messages. The object either creates the window
// (CreateEx) or takes over an existing one (SubclassWindow); one WindowProc override is its
// message map. A destroyed window gets PostNcDestroy only once the outermost handler of any
// window of the thread has returned, so an object that frees itself there (and the controls it
// owns, whose handlers may have started the destruction) is never touched afterwards. Notifications a child control sends are first offered to the child's own
// object (OnReflect), so a control can draw and answer for itself.
class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    static CWnd* FromHandlePermanent(HWND hwnd);

    bool CreateEx(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int width, int height,
                  HWND parent, HMENU menu);
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(int id, CWnd* parent);
    bool DestroyWindow();

    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    void SetWindowText(const std::wstring& text) { ::SetWindowTextW(m_hWnd, text.c_str()); }
    std::wstring GetWindowText() const;
    // A null handle would repaint the whole desktop.
    void Invalidate(BOOL erase = TRUE) {
        if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, erase);
    }
    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageW(m_hWnd, msg, wp, lp); }
    BOOL PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::PostMessageW(m_hWnd, msg, wp, lp); }

    HWND m_hWnd = nullptr;

protected:
    // The message map: switch on the message, call one handler per entry, Default for the rest.
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    // The handling the window had before this object took it over.
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);
    // Called once the window is gone and no handler of it is running; may free the object.
    virtual void PostNcDestroy() {}
    // Called when this object has just taken over an existing window (SubclassWindow), before it
    // handles any message of it: a control adjusts its styles here.
    virtual void PreSubclassWindow() {}
    // A control's own look and behaviour: WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_DRAWITEM, WM_NOTIFY and WM_COMMAND
    // that this window sent its parent come here first. Returning true answers the parent's
    // message with `result`; the parent's WindowProc then never sees it.
    virtual bool OnReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Attach(HWND hwnd, WNDPROC previous);

private:
    void Detach();
    static void ReleaseDestroyed();

    WNDPROC m_previousProc = nullptr;
    // The thread's windows destroyed while a handler ran, waiting for PostNcDestroy.
    CWnd* m_nextDestroyed = nullptr;
};
