#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/ComboBox.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "ui/programs/ProgramRules.h"

// One rule, added or edited: the program typed or browsed for, and one of the card's profiles.
// OK refuses a faulty program or no profile with a message and stays open.
class CProgramRuleDlg : public CDialog {
public:
    // others: the rules a duplicate is checked against; profiles: the names to choose from.
    CProgramRuleDlg(ProgramRule rule, std::vector<ProgramRule> others, std::vector<std::wstring> profiles,
                    CWnd* parent = nullptr);
    const ProgramRule& Rule() const { return m_rule; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Refuse(const std::wstring& text);
    void BrowseForProgram();
    void BrowseForFolder();

    ProgramRule m_rule;
    std::vector<ProgramRule> m_others;
    std::vector<std::wstring> m_profiles;
    CWnd m_program;
    CComboBox m_profile;
};
