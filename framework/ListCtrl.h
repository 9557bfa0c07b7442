#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Wnd.h"

// A list view in report view: rows of texts in columns, each row with a number of its own.
class CListCtrl : public CWnd {
public:
    void SetExtendedStyle(DWORD style) { SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
    int InsertColumn(int column, const wchar_t* heading, int format, int width);
    // In the list's font, without the margins a column adds.
    int GetStringWidth(const wchar_t* text) const {
        return static_cast<int>(SendMessage(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text)));
    }

    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    // Gives the new row's index, -1 when it could not be inserted.
    int InsertItem(int row, const std::wstring& text);
    bool DeleteItem(int row) { return SendMessage(LVM_DELETEITEM, row) != 0; }
    bool DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
    bool SetItemText(int row, int column, const std::wstring& text);
    bool SetItemData(int row, DWORD_PTR data);
    DWORD_PTR GetItemData(int row) const;

    // The first selected row, -1 when none is.
    int GetSelectedRow() const { return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }
    void SetItemState(int row, UINT state, UINT mask);
    // Starts editing the row's label; gives the edit control, null when editing did not start.
    HWND EditLabel(int row) { return reinterpret_cast<HWND>(SendMessage(LVM_EDITLABELW, row)); }
    HWND GetEditControl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL)); }
};
