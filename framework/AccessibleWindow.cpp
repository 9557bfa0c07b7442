#include "framework/AccessibleWindow.h"

#include <commctrl.h>

#include "framework/AccessibleObject.h"
#include "framework/SystemLibrary.h"

namespace {
constexpr UINT_PTR kSubclassId = 0x0A11;

LONG ChildId(size_t part) { return part == 0 ? CHILDID_SELF : static_cast<LONG>(part); }
}  // namespace

CAccessibleWindow::~CAccessibleWindow() { Detach(); }

bool CAccessibleWindow::Attach(HWND window, AccessiblePartsSource parts) {
    Detach();
    if (!IsWindow(window) || !parts) return false;
    m_parts = std::make_shared<AccessiblePartsSource>(std::move(parts));
    if (!SetWindowSubclass(window, &CAccessibleWindow::Subclass, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        m_parts.reset();
        return false;
    }
    m_window = window;
    m_announced = (*m_parts)();
    return true;
}

// Objects a client still holds find their source gone and fail from then on.
void CAccessibleWindow::Detach() {
    if (m_window) RemoveWindowSubclass(m_window, &CAccessibleWindow::Subclass, kSubclassId);
    m_window = nullptr;
    m_parts.reset();
    m_announced.clear();
}

void CAccessibleWindow::Refresh() {
    if (!m_parts) return;
    std::vector<AccessiblePart> now = (*m_parts)();
    if (now.size() != m_announced.size()) NotifyWinEvent(EVENT_OBJECT_REORDER, m_window, OBJID_CLIENT, CHILDID_SELF);
    for (size_t i = 0; i < now.size(); ++i) {
        const AccessiblePart* before = i < m_announced.size() ? &m_announced[i] : nullptr;
        if (before && before->name != now[i].name)
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, m_window, OBJID_CLIENT, ChildId(i));
        if (before && before->value != now[i].value)
            NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_window, OBJID_CLIENT, ChildId(i));
        if (i > 0 && now[i].focused && (!before || !before->focused) && GetFocus() == m_window)
            NotifyWinEvent(EVENT_OBJECT_FOCUS, m_window, OBJID_CLIENT, ChildId(i));
    }
    m_announced = std::move(now);
}

LRESULT CAccessibleWindow::Answer(WPARAM wp) {
    if (!m_library.Valid()) m_library.Reset(LoadSystemLibrary(L"oleacc.dll"));
    using CreateStandard = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using FromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    const auto createStandard = SystemCall<CreateStandard>(m_library.Get(), "CreateStdAccessibleObject");
    const auto fromObject = SystemCall<FromObject>(m_library.Get(), "LresultFromObject");
    if (!m_library.Valid() || !createStandard || !fromObject) return 0;
    if (!m_com) m_com.emplace();
    void* standard = nullptr;
    if (FAILED(createStandard(m_window, OBJID_CLIENT, kIIDAccessible, &standard)) || !standard) return 0;
    auto* object = new CAccessibleObject(m_window, static_cast<IAccessible*>(standard), m_parts);
    const LRESULT result = fromObject(kIIDAccessible, wp, object);
    object->Release();
    return result;
}

LRESULT CALLBACK CAccessibleWindow::Subclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    auto* window = reinterpret_cast<CAccessibleWindow*>(self);
    if (msg == WM_GETOBJECT && static_cast<LONG>(static_cast<DWORD>(lp)) == OBJID_CLIENT) {
        if (const LRESULT answer = window->Answer(wp)) return answer;
    }
    if (msg == WM_NCDESTROY) window->Detach();
    return DefSubclassProc(hwnd, msg, wp, lp);
}
