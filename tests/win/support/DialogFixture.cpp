#include "tests/win/support/DialogFixture.h"

void DialogFixture::OpenMain(const std::string& card) {
    Open(card);
    framework.m_pMainWnd = dlg;
}

void DialogFixture::TearDown() {
    // The main window's end must not ask the test's thread to quit.
    framework.m_pMainWnd = nullptr;
    MainDialogFixture::TearDown();
}

std::wstring DialogFixture::ControlText(HWND dialog, int id) {
    wchar_t text[256] = L"";
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

bool DialogFixture::Checked(HWND dialog, int id) {
    return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
