#pragma once
// The main window as the application's main window, so a dialog it opens is owned by it, with
// helpers to read the controls of a dialog found inside its own loop.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/WinApp.h"
#include "tests/win/support/MainDialogFixture.h"
#include "tests/win/support/ModalScript.h"

class DialogFixture : public MainDialogFixture {
protected:
    void OpenMain(const std::string& card);
    void TearDown() override;

    // Presses the main window's button; returns once the dialog it opened has ended.
    void RunFromButton(int buttonId) { Command(buttonId); }
    // What a script saw of a dialog it ran to its last step (a step left unrun fails the test).
    struct ScriptRun {
        bool forced = false;
        std::vector<std::wstring> messageBoxes;
    };
    ScriptRun RunScript(int buttonId, const wchar_t* title, std::vector<ModalScript::Step> steps);

    static bool Checked(HWND dialog, int id);
    static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

    CWinApp framework{L"Oskara"};
};
