#pragma once
#include <windows.h>

#include <vector>

#include "framework/Dialog.h"
#include "framework/ListCtrl.h"
#include "store/Profile.h"
#include "store/SettingsStore.h"
#include "ui/programs/ProgramRuleStore.h"

// The "Programs" list: the stored rules as rows of program, profile and, greyed, why a rule does
// nothing; Add, Edit and Remove change the rows, OK stores them and Cancel drops the changes.
class CProgramsDlg : public CDialog {
public:
    // profiles: the card's, for the names a rule chooses from and whether a rule's still exists.
    CProgramsDlg(SettingsStore& settings, const ProfileList& profiles, CWnd* parent = nullptr);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void InsertColumns();
    void FillList(int selected);
    void OnAdd();
    void OnEdit();
    void OnRemove();
    // The rows that are stored on OK, but the one at skip.
    std::vector<ProgramRule> CountedRules(size_t skip) const;
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw) const;

    SettingsStore& m_settings;
    const ProfileList& m_profiles;
    std::vector<ListedRule> m_rows;
    CListCtrl m_list;
};
