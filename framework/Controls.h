#pragma once
#include "framework/Wnd.h"

// The plain controls a dialog binds by id. They add nothing to CWnd yet: they name what a member
// is, and the skin's controls derive from them.
class CStatic : public CWnd {};
class CButton : public CWnd {};
