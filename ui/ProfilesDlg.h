#pragma once
#include <windows.h>

#include <cstdint>

#include "store/ProfileBook.h"
#include "framework/Dialog.h"
#include "framework/ListCtrl.h"

// What a list of 64 refuses, wherever a profile is added.
inline constexpr const wchar_t* kProfileListFullText =
    L"The profile list is full (64 profiles). Delete a profile to make room.";

// The "Profiles" dialog: the card's profiles, newest on top, to create from the sliders, rename
// in place, delete and activate. Each row holds its profile's index in the list it was filled
// from; an action on a row of an older revision of the list only rebuilds the rows.
class CProfilesDlg : public CDialog {
public:
    // What the dialog needs of the main window.
    class Host {
    public:
        // Slider positions; memory as the slider shows it (the real clock times the factor).
        struct Sliders {
            int core, memory, shader, fan;
        };
        virtual Sliders SliderPositions() = 0;
        virtual int GetMemoryClockFactor() = 0;
        // Writes the profile to the selected GPU and puts it on the sliders; nothing is stored.
        virtual void ActivateProfile(const PROFILE& profile) = 0;

    protected:
        ~Host() = default;
    };

    static constexpr UINT kRebuildMessage = WM_APP + 0x51;

    CProfilesDlg(ProfileBook& book, Host& host, CWnd* parent = nullptr);

protected:
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void InsertColumns();
    void FillList();
    // The profile of the selected row when the row still names it; otherwise the rows are rebuilt.
    bool SelectedProfile(int& row, size_t& index);
    bool RowIsCurrent(int row, size_t& index) const;
    void OnCreate();
    void OnRename();
    void OnDelete();
    void OnActivate();
    LRESULT OnNotify(const NMHDR& header);
    bool OnBeginLabelEdit(const NMLVDISPINFOW& info);
    void OnEndLabelEdit(const NMLVDISPINFOW& info);

    ProfileBook& m_book;
    Host& m_host;
    CListCtrl m_list;
    uint32_t m_filledRevision = 0;
};
