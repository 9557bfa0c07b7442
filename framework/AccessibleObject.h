#pragma once
#include <windows.h>
#include <oleacc.h>

#include <memory>

#include "framework/AccessibleParts.h"
#include "framework/ComPtr.h"
#include "framework/OwnedHandle.h"

// MinGW's import library gives the wrong bytes for this interface's id.
extern const IID kIIDAccessible;

// The accessibility object of one window over a source of parts: names, roles and values come
// from the parts, everything else about the window itself (its place, state, parent, focus)
// from the system's standard object for it. A client may keep the object after the window has
// gone; from then on every call fails.
class CAccessibleObject : public IAccessible {
public:
    // Takes the caller's reference to the standard object.
    CAccessibleObject(HWND window, IAccessible* standard, std::weak_ptr<AccessiblePartsSource> parts);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    ~CAccessibleObject() = default;
    // The part a child id names; false when the window is gone or there is no such part.
    bool Part(const VARIANT& child, AccessiblePart& part) const;
    HRESULT Text(const std::wstring& text, BSTR* out) const;

    LONG m_references = 1;
    HWND m_window;
    CComPtr<IAccessible> m_standard;
    std::weak_ptr<AccessiblePartsSource> m_parts;
    // The strings a client frees come from the system's string allocator.
    CLoadedModule m_stringLibrary;
    BSTR(WINAPI* m_allocString)(const OLECHAR*) = nullptr;
};
