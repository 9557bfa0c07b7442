#include "ui/programs/ProgramsDlg.h"

#include <iterator>

#include "res/resource.h"
#include "ui/programs/ProgramRuleDlg.h"

namespace {

constexpr const wchar_t* kHeadings[] = {L"Program", L"Profile", L"Note"};
// In dialog units; the note takes what is left.
constexpr int kHeadingWidths[] = {120, 70};
constexpr size_t kNoRow = static_cast<size_t>(-1);

}  // namespace

CProgramsDlg::CProgramsDlg(SettingsStore& settings, const ProfileList& profiles, CWnd* parent)
    : CDialog(IDD_PROGRAMS, parent), m_settings(settings), m_profiles(profiles) {
    BindControl(m_list, IDC_PROGRAMS_LIST);
}

bool CProgramsDlg::OnInitDialog() {
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InsertColumns();
    m_rows = ListProgramRules(m_settings, [this](const std::wstring& name) { return HasProfileNamed(m_profiles, name); });
    FillList(0);
    return true;
}

// The columns grow with the dialog's font; no horizontal scroll bar even once rows need a vertical one.
void CProgramsDlg::InsertColumns() {
    RECT units{0, 0, 4, 8}, client{};
    MapDialogRect(m_hWnd, &units);
    GetClientRect(m_list.m_hWnd, &client);
    int left = client.right - GetSystemMetrics(SM_CXVSCROLL);
    for (int i = 0; i < static_cast<int>(std::size(kHeadingWidths)); ++i) {
        const int width = kHeadingWidths[i] * units.right / 4;
        m_list.InsertColumn(i, kHeadings[i], LVCFMT_LEFT, width);
        left -= width;
    }
    m_list.InsertColumn(2, kHeadings[2], LVCFMT_LEFT, left);
}

void CProgramsDlg::FillList(int selected) {
    UpdateRuleStates(m_rows, [this](const std::wstring& name) { return HasProfileNamed(m_profiles, name); });
    m_list.SendMessage(WM_SETREDRAW, FALSE);
    m_list.DeleteAllItems();
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const int row = m_list.InsertItem(static_cast<int>(i), m_rows[i].rule.program);
        if (row < 0) continue;
        m_list.SetItemText(row, 1, m_rows[i].rule.profile);
        m_list.SetItemText(row, 2, RuleNote(m_rows[i]));
    }
    m_list.SendMessage(WM_SETREDRAW, TRUE);
    m_list.Invalidate();
    if (selected >= 0 && selected < m_list.GetItemCount())
        m_list.SetItemState(selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

std::vector<ProgramRule> CProgramsDlg::CountedRules(size_t skip) const {
    std::vector<ProgramRule> rules;
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (i != skip && m_rows[i].fault == RuleFault::None) rules.push_back(m_rows[i].rule);
    return rules;
}

void CProgramsDlg::OnAdd() {
    std::vector<ProgramRule> others = CountedRules(kNoRow);
    if (others.size() >= kMaxProgramRules) {
        MessageBoxW(m_hWnd, L"There are 32 rules already. Remove one to make room.", GetWindowText().c_str(),
                    MB_ICONEXCLAMATION);
        return;
    }
    CProgramRuleDlg editor({}, std::move(others), ProfileNames(m_profiles), this);
    if (editor.DoModal() != IDOK) return;
    m_rows.push_back({editor.Rule(), RuleFault::None, false});
    FillList(static_cast<int>(m_rows.size()) - 1);
}

void CProgramsDlg::OnEdit() {
    const int row = m_list.GetSelectedRow();
    if (row < 0 || static_cast<size_t>(row) >= m_rows.size()) return;
    CProgramRuleDlg editor(m_rows[row].rule, CountedRules(row), ProfileNames(m_profiles), this);
    if (editor.DoModal() != IDOK) return;
    // What the editor gives is text, whatever the value it replaces was.
    m_rows[row] = {editor.Rule(), RuleFault::None, false};
    FillList(row);
}

void CProgramsDlg::OnRemove() {
    const int row = m_list.GetSelectedRow();
    if (row < 0 || static_cast<size_t>(row) >= m_rows.size()) return;
    m_rows.erase(m_rows.begin() + row);
    FillList(row < static_cast<int>(m_rows.size()) ? row : row - 1);
}

// Rows greyed for a faulty program or value did nothing, and are not stored again.
void CProgramsDlg::OnOK() {
    StoreProgramRules(m_settings, CountedRules(kNoRow));
    CDialog::OnOK();
}

LRESULT CProgramsDlg::OnCustomDraw(NMLVCUSTOMDRAW& draw) const {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && draw.nmcd.dwItemSpec < m_rows.size() &&
        !Usable(m_rows[draw.nmcd.dwItemSpec]))
        draw.clrText = GetSysColor(COLOR_GRAYTEXT);
    return CDRF_DODEFAULT;
}

LRESULT CProgramsDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lp);
        if (header && header->hwndFrom == m_list.m_hWnd && header->code == NM_CUSTOMDRAW)
            return OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lp));
        if (header && header->hwndFrom == m_list.m_hWnd && header->code == LVN_ITEMACTIVATE) {
            OnEdit();
            return 0;
        }
    }
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        switch (LOWORD(wp)) {
        case IDC_PROGRAMS_ADD: OnAdd(); return 0;
        case IDC_PROGRAMS_EDIT: OnEdit(); return 0;
        case IDC_PROGRAMS_REMOVE: OnRemove(); return 0;
        }
    }
    return CDialog::WindowProc(msg, wp, lp);
}
