#include "tests/win/support/DialogFixture.h"

void DialogFixture::OpenMain(const std::string& card) {
    framework.m_pMainWnd = nullptr;  // the end of a main window opened before would post a quit
    Open(card);
    framework.m_pMainWnd = dlg;
}

void DialogFixture::TearDown() {
    // The main window's end must not ask the test's thread to quit.
    framework.m_pMainWnd = nullptr;
    MainDialogFixture::TearDown();
}

DialogFixture::ScriptRun DialogFixture::RunScript(int buttonId, const wchar_t* title, std::vector<ModalScript::Step> steps) {
    const ModalScript script(title, std::move(steps));
    RunFromButton(buttonId);
    EXPECT_TRUE(script.AllRan()) << script.StepsRun() << " steps ran";
    return {script.Forced(), script.MessageBoxes()};
}

bool DialogFixture::Checked(HWND dialog, int id) {
    return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
