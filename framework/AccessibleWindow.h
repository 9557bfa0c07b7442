#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "framework/AccessibleParts.h"
#include "framework/ComPtr.h"
#include "framework/OwnedHandle.h"

// Gives one window (a dialog's control, a window of its own) to screen readers: it answers the
// window's WM_GETOBJECT with an accessibility object over the parts the source describes, and
// Refresh raises the events for what changed. The system's accessibility library is loaded at
// the first question only.
class CAccessibleWindow {
public:
    CAccessibleWindow() = default;
    ~CAccessibleWindow();
    CAccessibleWindow(const CAccessibleWindow&) = delete;
    CAccessibleWindow& operator=(const CAccessibleWindow&) = delete;

    // False when the window cannot be watched.
    bool Attach(HWND window, AccessiblePartsSource parts);
    // A name, value, focus or number of parts that differs from the last Refresh (or Attach) is
    // announced.
    void Refresh();

private:
    static LRESULT CALLBACK Subclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
    LRESULT Answer(WPARAM wp);
    void Detach();

    HWND m_window = nullptr;
    std::shared_ptr<AccessiblePartsSource> m_parts;
    std::vector<AccessiblePart> m_announced;
    CLoadedModule m_library;
    // The object is handed over by COM marshalling, which needs COM on the window's thread.
    std::optional<CComScope> m_com;
};
