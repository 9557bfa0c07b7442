#include "framework/AccessibleObject.h"

#include "framework/SystemLibrary.h"

const IID kIIDAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

namespace {
const IID kIIDUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIIDDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
}  // namespace

CAccessibleObject::CAccessibleObject(HWND window, IAccessible* standard, std::weak_ptr<AccessiblePartsSource> parts)
    : m_window(window), m_parts(std::move(parts)), m_stringLibrary(LoadSystemLibrary(L"oleaut32.dll")) {
    *m_standard.Receive() = standard;
    if (m_stringLibrary.Valid())
        m_allocString = SystemCall<BSTR(WINAPI*)(const OLECHAR*)>(m_stringLibrary.Get(), "SysAllocString");
}

HRESULT CAccessibleObject::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    // Not the standard object's child enumeration: the children are the parts.
    if (!IsEqualIID(riid, kIIDUnknown) && !IsEqualIID(riid, kIIDDispatch) && !IsEqualIID(riid, kIIDAccessible)) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
}

ULONG CAccessibleObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }

ULONG CAccessibleObject::Release() {
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT CAccessibleObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT CAccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT CAccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT CAccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

bool CAccessibleObject::Part(const VARIANT& child, AccessiblePart& part) const {
    const std::shared_ptr<AccessiblePartsSource> source = m_parts.lock();
    if (!source || child.vt != VT_I4 || child.lVal < 0 || !IsWindow(m_window)) return false;
    const std::vector<AccessiblePart> parts = (*source)();
    if (static_cast<size_t>(child.lVal) >= parts.size()) return false;
    part = parts[static_cast<size_t>(child.lVal)];
    return true;
}

HRESULT CAccessibleObject::Text(const std::wstring& text, BSTR* out) const {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    if (!m_allocString) return E_OUTOFMEMORY;
    *out = m_allocString(text.c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT CAccessibleObject::get_accParent(IDispatch** parent) { return m_standard->get_accParent(parent); }

HRESULT CAccessibleObject::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    const std::shared_ptr<AccessiblePartsSource> source = m_parts.lock();
    if (!source) return E_FAIL;
    *count = static_cast<long>((*source)().size()) - 1;
    if (*count < 0) *count = 0;
    return S_OK;
}

// The parts are simple elements, answered by this object under their child ids.
HRESULT CAccessibleObject::get_accChild(VARIANT child, IDispatch** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    AccessiblePart part;
    return Part(child, part) && !IsSelf(child) ? S_FALSE : E_INVALIDARG;
}

HRESULT CAccessibleObject::get_accName(VARIANT child, BSTR* name) {
    AccessiblePart part;
    if (!Part(child, part)) return E_INVALIDARG;
    return Text(part.name, name);
}

HRESULT CAccessibleObject::get_accValue(VARIANT child, BSTR* value) {
    AccessiblePart part;
    if (!Part(child, part)) return E_INVALIDARG;
    return Text(part.value, value);
}

HRESULT CAccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
    AccessiblePart part;
    if (!role) return E_POINTER;
    if (!Part(child, part)) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = part.role;
    return S_OK;
}

HRESULT CAccessibleObject::get_accState(VARIANT child, VARIANT* state) {
    if (IsSelf(child)) return m_standard->get_accState(child, state);
    AccessiblePart part;
    if (!state) return E_POINTER;
    if (!Part(child, part)) return E_INVALIDARG;
    state->vt = VT_I4;
    state->lVal = STATE_SYSTEM_FOCUSABLE | (part.focused ? STATE_SYSTEM_FOCUSED : 0);
    return S_OK;
}

HRESULT CAccessibleObject::get_accDescription(VARIANT, BSTR* text) { return Text(L"", text); }
HRESULT CAccessibleObject::get_accHelp(VARIANT, BSTR* text) { return Text(L"", text); }
HRESULT CAccessibleObject::get_accHelpTopic(BSTR*, VARIANT, long*) { return DISP_E_MEMBERNOTFOUND; }
HRESULT CAccessibleObject::get_accKeyboardShortcut(VARIANT, BSTR* text) { return Text(L"", text); }
HRESULT CAccessibleObject::get_accDefaultAction(VARIANT, BSTR* text) { return Text(L"", text); }

HRESULT CAccessibleObject::get_accFocus(VARIANT* focus) {
    if (!focus) return E_POINTER;
    const std::shared_ptr<AccessiblePartsSource> source = m_parts.lock();
    if (source) {
        const std::vector<AccessiblePart> parts = (*source)();
        for (size_t i = 1; i < parts.size(); ++i) {
            if (!parts[i].focused || GetFocus() != m_window) continue;
            focus->vt = VT_I4;
            focus->lVal = static_cast<long>(i);
            return S_OK;
        }
    }
    return m_standard->get_accFocus(focus);
}

HRESULT CAccessibleObject::get_accSelection(VARIANT* selection) { return m_standard->get_accSelection(selection); }
HRESULT CAccessibleObject::accSelect(long flags, VARIANT child) {
    return IsSelf(child) ? m_standard->accSelect(flags, child) : DISP_E_MEMBERNOTFOUND;
}

HRESULT CAccessibleObject::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    AccessiblePart part;
    if (!Part(child, part)) return E_INVALIDARG;
    if (IsSelf(child) || IsEmpty(part.place)) {
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        return m_standard->accLocation(left, top, width, height, self);
    }
    if (!left || !top || !width || !height) return E_POINTER;
    POINT origin{part.place.left, part.place.top};
    ClientToScreen(m_window, &origin);
    *left = origin.x;
    *top = origin.y;
    *width = part.place.right - part.place.left;
    *height = part.place.bottom - part.place.top;
    return S_OK;
}

HRESULT CAccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* end) {
    return IsSelf(start) ? m_standard->accNavigate(direction, start, end) : DISP_E_MEMBERNOTFOUND;
}

HRESULT CAccessibleObject::accHitTest(long x, long y, VARIANT* child) { return m_standard->accHitTest(x, y, child); }
HRESULT CAccessibleObject::accDoDefaultAction(VARIANT child) {
    return IsSelf(child) ? m_standard->accDoDefaultAction(child) : DISP_E_MEMBERNOTFOUND;
}
HRESULT CAccessibleObject::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT CAccessibleObject::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }
