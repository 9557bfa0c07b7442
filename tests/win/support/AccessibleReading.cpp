#include "tests/win/support/AccessibleReading.h"

#include <oleacc.h>

#include "framework/AccessibleObject.h"

AccessibleReading ReadAccessible(HWND window) {
    AccessibleReading seen;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, kIIDAccessible, reinterpret_cast<void**>(&object))))
        return seen;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (object->get_accName(self, &text) == S_OK) seen.name = text;
    SysFreeString(text);
    text = nullptr;
    if (object->get_accValue(self, &text) == S_OK) seen.value = text;
    SysFreeString(text);
    VARIANT role{};
    if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4) seen.role = role.lVal;
    object->Release();
    return seen;
}
