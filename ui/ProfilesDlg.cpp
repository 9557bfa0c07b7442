#include "ui/ProfilesDlg.h"

#include <algorithm>
#include <iterator>

#include "res/resource.h"
#include "ui/ProfileRows.h"

namespace {
struct Column {
    const wchar_t* heading;
    int format;
};
// The name first: it takes the width the others leave.
constexpr Column kColumns[] = {{L"Name", LVCFMT_LEFT},
                               {L"Core (MHz)", LVCFMT_RIGHT},
                               {L"Memory (MHz)", LVCFMT_RIGHT},
                               {L"Shader (MHz)", LVCFMT_RIGHT},
                               {L"Fan (%)", LVCFMT_RIGHT}};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));
}  // namespace

CProfilesDlg::CProfilesDlg(ProfileBook& book, Host& host, CWnd* parent)
    : CDialog(IDD_PROFILES, parent), m_book(book), m_host(host) {
    BindControl(m_list, IDC_PROFILES_LIST);
}

bool CProfilesDlg::OnInitDialog() {
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InsertColumns();
    FillList();
    return true;
}

// Every heading whole, and no horizontal scroll bar even once the rows need a vertical one.
void CProfilesDlg::InsertColumns() {
    // A header item's text margins: three edges on each side.
    const int margins = 6 * GetSystemMetrics(SM_CXEDGE);
    RECT client{};
    GetClientRect(m_list.m_hWnd, &client);
    int widths[kColumnCount];
    int nameWidth = client.right - GetSystemMetrics(SM_CXVSCROLL);
    for (int i = 0; i < kColumnCount; ++i) {
        widths[i] = m_list.GetStringWidth(kColumns[i].heading) + margins;
        if (i > 0) nameWidth -= widths[i];
    }
    widths[0] = std::max(widths[0], nameWidth);
    for (int i = 0; i < kColumnCount; ++i) m_list.InsertColumn(i, kColumns[i].heading, kColumns[i].format, widths[i]);
}

void CProfilesDlg::FillList() {
    // One repaint for the whole list: row by row, 64 rows take most of a second under Wine.
    m_list.SendMessage(WM_SETREDRAW, FALSE);
    m_list.DeleteAllItems();
    const int factor = m_host.GetMemoryClockFactor();
    for (size_t i = 0; i < m_book.Count(); ++i) {
        const ProfileRowTexts texts = ProfileRow(m_book.At(i), factor);
        if (m_list.InsertItem(0, texts.name) != 0) continue;
        m_list.SetItemText(0, 1, texts.core);
        m_list.SetItemText(0, 2, texts.memory);
        m_list.SetItemText(0, 3, texts.shader);
        m_list.SetItemText(0, 4, texts.fan);
        m_list.SetItemData(0, i);
    }
    m_list.SendMessage(WM_SETREDRAW, TRUE);
    m_list.Invalidate();
    m_filledRevision = m_book.Revision();
}

bool CProfilesDlg::RowIsCurrent(int row, size_t& index) const {
    if (row < 0) return false;
    index = m_list.GetItemData(row);
    return m_book.IsCurrent(m_filledRevision, index);
}

bool CProfilesDlg::SelectedProfile(int& row, size_t& index) {
    row = m_list.GetSelectedRow();
    if (row < 0) return false;
    if (RowIsCurrent(row, index)) return true;
    FillList();
    return false;
}

void CProfilesDlg::OnCreate() {
    const Host::Sliders sliders = m_host.SliderPositions();
    const PROFILE profile = ProfileFromSliders(sliders.core, sliders.memory, m_host.GetMemoryClockFactor(),
                                               sliders.shader, sliders.fan);
    const ProfileBook::CreateResult result = m_book.Create(profile);
    if (result == ProfileBook::CreateResult::Full)
        MessageBoxW(m_hWnd, kProfileListFullText, GetWindowText().c_str(), MB_ICONEXCLAMATION);
    if (result == ProfileBook::CreateResult::CardUnknown)
        MessageBoxW(m_hWnd, L"The card could not be identified, so profiles cannot be kept.",
                    GetWindowText().c_str(), MB_ICONEXCLAMATION);
    FillList();
    if (result != ProfileBook::CreateResult::Created) return;
    // The newest row is the top one: the user names it at once; Escape keeps "New Profile".
    m_list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetFocus(m_list.m_hWnd);
    m_list.EditLabel(0);
}

void CProfilesDlg::OnRename() {
    int row = -1;
    size_t index = 0;
    if (!SelectedProfile(row, index)) return;
    SetFocus(m_list.m_hWnd);
    m_list.EditLabel(row);
}

void CProfilesDlg::OnDelete() {
    int row = -1;
    size_t index = 0;
    if (!SelectedProfile(row, index)) return;
    m_book.Remove(index);
    FillList();
    // The neighbour that moved into the deleted row's place.
    if (row < m_list.GetItemCount()) m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CProfilesDlg::OnActivate() {
    int row = -1;
    size_t index = 0;
    if (!SelectedProfile(row, index)) return;
    const PROFILE profile = m_book.At(index);
    m_host.ActivateProfile(profile);
}

// The limit is set whichever way the edit began: the Rename button or a click on a selected row.
bool CProfilesDlg::OnBeginLabelEdit(const NMLVDISPINFOW& info) {
    size_t index = 0;
    if (!RowIsCurrent(info.item.iItem, index)) {
        // The list is in the middle of its own work; rebuild once it is done.
        PostMessage(kRebuildMessage);
        return false;
    }
    if (HWND edit = m_list.GetEditControl()) ::SendMessageW(edit, EM_SETLIMITTEXT, kProfileNameMax, 0);
    return true;
}

void CProfilesDlg::OnEndLabelEdit(const NMLVDISPINFOW& info) {
    if (!info.item.pszText) return;
    size_t index = 0;
    if (!RowIsCurrent(info.item.iItem, index)) {
        PostMessage(kRebuildMessage);
        return;
    }
    m_book.Rename(index, info.item.pszText);
    m_list.SetItemText(info.item.iItem, 0, ProfileRow(m_book.At(index), 1).name);
    // This change is already on the rows.
    m_filledRevision = m_book.Revision();
}

LRESULT CProfilesDlg::OnNotify(const NMHDR& header) {
    switch (header.code) {
    case LVN_BEGINLABELEDITW:
        // TRUE refuses the edit.
        return OnBeginLabelEdit(reinterpret_cast<const NMLVDISPINFOW&>(header)) ? FALSE : TRUE;
    case LVN_ENDLABELEDITW:
        // 0: the list keeps its own text; the row already shows the name as stored.
        OnEndLabelEdit(reinterpret_cast<const NMLVDISPINFOW&>(header));
        return 0;
    case LVN_ITEMACTIVATE:
        OnActivate();
        return 0;
    case LVN_ITEMCHANGED:
        return 0;
    }
    return Default(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

LRESULT CProfilesDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lp);
        if (header && header->hwndFrom == m_list.m_hWnd) return OnNotify(*header);
        break;
    }
    case WM_COMMAND:
        if (HIWORD(wp) != BN_CLICKED) break;
        switch (LOWORD(wp)) {
        case IDC_PROFILES_CREATE: OnCreate(); return 0;
        case IDC_PROFILES_RENAME: OnRename(); return 0;
        case IDC_PROFILES_DELETE: OnDelete(); return 0;
        case IDC_PROFILES_ACTIVATE: OnActivate(); return 0;
        }
        break;
    case kRebuildMessage:
        FillList();
        return 0;
    }
    return CDialog::WindowProc(msg, wp, lp);
}
