#include "ui/access/MainWindowAccess.h"

#include <oleacc.h>

#include "res/resource.h"

namespace {
struct ControlFacts {
    int id;
    const wchar_t* name;
    long role;
    // The label whose text is the value; 0 for none.
    int valueLabel;
};
constexpr ControlFacts kFacts[CMainWindowAccess::kControls] = {
    {IDC_CORE_SLIDER, L"Core clock", ROLE_SYSTEM_SLIDER, IDC_CORE_VALUE},
    {IDC_MEMORY_SLIDER, L"Memory clock", ROLE_SYSTEM_SLIDER, IDC_MEMORY_VALUE},
    {IDC_SHADER_SLIDER, L"Shader clock", ROLE_SYSTEM_SLIDER, IDC_SHADER_VALUE},
    {IDC_FAN_SLIDER, L"Fan", ROLE_SYSTEM_SLIDER, 0},
    {IDC_APPLY, L"Apply", ROLE_SYSTEM_PUSHBUTTON, 0},
    {IDC_RESET, L"Reset", ROLE_SYSTEM_PUSHBUTTON, 0},
    {IDC_PROFILES, L"Profiles", ROLE_SYSTEM_PUSHBUTTON, 0},
    {IDC_OPTIONS, L"Settings", ROLE_SYSTEM_PUSHBUTTON, 0},
    {IDC_MINIMIZE, L"Minimise", ROLE_SYSTEM_PUSHBUTTON, 0},
    {IDC_CLOSE, L"Close", ROLE_SYSTEM_PUSHBUTTON, 0},
    {IDC_TEMPERATURE, L"Temperature", ROLE_SYSTEM_STATICTEXT, IDC_TEMPERATURE},
};

std::wstring TextOf(HWND window) {
    wchar_t text[64] = L"";
    GetWindowTextW(window, text, 64);
    return text;
}
}  // namespace

void CMainWindowAccess::Attach(HWND dialog, std::function<std::wstring()> fanValue) {
    for (size_t i = 0; i < kControls; ++i) {
        const ControlFacts& facts = kFacts[i];
        const HWND control = GetDlgItem(dialog, facts.id);
        const HWND label = facts.valueLabel ? GetDlgItem(dialog, facts.valueLabel) : nullptr;
        const bool temperature = facts.id == IDC_TEMPERATURE, fan = facts.id == IDC_FAN_SLIDER;
        m_controls[i].Attach(control, [facts, label, temperature, fan, fanValue] {
            AccessiblePart part{facts.role, facts.name};
            if (fan && fanValue) part.value = fanValue();
            if (label) part.value = TextOf(label) + (temperature ? L" \u00B0C" : L"");
            return std::vector<AccessiblePart>{part};
        });
    }
}

void CMainWindowAccess::Refresh() {
    for (CAccessibleWindow& control : m_controls) control.Refresh();
}
