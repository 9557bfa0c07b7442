#include "ui/programs/ProgramRuleDlg.h"

#include <shlobj.h>

#include <algorithm>

#include "framework/FileDialog.h"
#include "res/resource.h"

namespace {

// Surrounding spaces are no part of a name Windows keeps, and a pasted path often brings some.
std::wstring Trimmed(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return L"";
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

}  // namespace

CProgramRuleDlg::CProgramRuleDlg(ProgramRule rule, std::vector<ProgramRule> others, std::vector<std::wstring> profiles,
                                 CWnd* parent)
    : CDialog(IDD_PROGRAM_RULE, parent), m_rule(std::move(rule)), m_others(std::move(others)),
      m_profiles(std::move(profiles)) {
    BindControl(m_program, IDC_PROGRAM_RULE_PROGRAM);
    BindControl(m_profile, IDC_PROGRAM_RULE_PROFILE);
}

bool CProgramRuleDlg::OnInitDialog() {
    m_program.SendMessage(EM_SETLIMITTEXT, kMaxRuleProgramLength + 1);
    m_program.SetWindowText(m_rule.program);
    for (const std::wstring& name : m_profiles) m_profile.AddString(name.c_str());
    // A new rule offers the first profile; a profile that is gone is not offered: the user chooses.
    const auto found = m_rule.profile.empty() ? m_profiles.begin()
                                              : std::find(m_profiles.begin(), m_profiles.end(), m_rule.profile);
    m_profile.SetCurSel(found == m_profiles.end() ? -1 : static_cast<int>(found - m_profiles.begin()));
    return true;
}

void CProgramRuleDlg::Refuse(const std::wstring& text) {
    MessageBoxW(m_hWnd, text.c_str(), GetWindowText().c_str(), MB_ICONEXCLAMATION);
}

void CProgramRuleDlg::OnOK() {
    const std::wstring program = Trimmed(m_program.GetWindowText());
    const RuleFault fault = CheckRuleProgram(program, m_others);
    if (fault != RuleFault::None) {
        Refuse(RuleFaultText(fault));
        SetFocus(m_program.m_hWnd);
        return;
    }
    const LRESULT chosen = m_profile.SendMessage(CB_GETCURSEL);
    if (chosen < 0 || static_cast<size_t>(chosen) >= m_profiles.size()) {
        Refuse(m_profiles.empty() ? L"The card has no profiles yet. Create one in Profiles first."
                                  : L"Choose the profile the program puts on the card.");
        return;
    }
    m_rule = {program, m_profiles[static_cast<size_t>(chosen)]};
    CDialog::OnOK();
}

// An executable gives its file name: the rule then names it wherever it is started from.
void CProgramRuleDlg::BrowseForProgram() {
    wchar_t path[MAX_PATH] = L"";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = m_hWnd;
    dialog.lpstrFilter = L"Programs (*.exe)\0*.exe\0All files\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (AskFileName(FileDialogKind::Open, dialog) && dialog.nFileOffset < MAX_PATH) m_program.SetWindowText(path + dialog.nFileOffset);
}

void CProgramRuleDlg::BrowseForFolder() {
    BROWSEINFOW info{};
    info.hwndOwner = m_hWnd;
    info.lpszTitle = L"Every program started from this folder or below it:";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen) return;
    wchar_t path[MAX_PATH] = L"";
    if (SHGetPathFromIDListW(chosen, path)) m_program.SetWindowText(path);
    CoTaskMemFree(chosen);
}

LRESULT CProgramRuleDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        if (LOWORD(wp) == IDC_PROGRAM_RULE_BROWSE_FILE) {
            BrowseForProgram();
            return 0;
        }
        if (LOWORD(wp) == IDC_PROGRAM_RULE_BROWSE_FOLDER) {
            BrowseForFolder();
            return 0;
        }
    }
    return CDialog::WindowProc(msg, wp, lp);
}
