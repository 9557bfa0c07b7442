#include "framework/ListCtrl.h"

#include <vector>

int CListCtrl::InsertColumn(int column, const wchar_t* heading, int format, int width) {
    LVCOLUMNW info{};
    info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    info.fmt = format;
    info.cx = width;
    info.pszText = const_cast<wchar_t*>(heading);
    info.iSubItem = column;
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&info)));
}

int CListCtrl::GetColumnCount() const {
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    return header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int CListCtrl::InsertItem(int row, const std::wstring& text) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListCtrl::SetItemText(int row, int column, const std::wstring& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    return SendMessage(LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)) != 0;
}

std::wstring CListCtrl::GetItemText(int row, int column) const {
    // The list copies at most the buffer's size and does not say how long the text is: grow
    // until it fits with room to spare.
    for (size_t size = 128;; size *= 2) {
        std::vector<wchar_t> buffer(size, L'\0');
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        const size_t length = static_cast<size_t>(SendMessage(LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < size || size >= 65536) return std::wstring(buffer.data(), length < size ? length : size - 1);
    }
}

bool CListCtrl::SetItemData(int row, DWORD_PTR data) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = static_cast<LPARAM>(data);
    return SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

DWORD_PTR CListCtrl::GetItemData(int row) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

void CListCtrl::SetItemState(int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    SendMessage(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}
