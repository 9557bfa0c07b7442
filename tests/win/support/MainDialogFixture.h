#pragma once
// The real main dialog on the simulated card, driven by window messages; what reached the card is
// read back from the driver's journal.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <array>
#include <string>
#include <vector>

#include "store/ProfileBook.h"
#include "store/Settings.h"
#include "tests/host/MemorySettingsStore.h"
#include "ui/OskaraDlg.h"

// Core, memory and shader clocks of a clock write or test, in kHz.
using ClockKhz = std::array<long long, 3>;

// One journalled driver call: its name and its fields as written (strings without their quotes).
struct JournalCall {
    std::string fn;
    std::map<std::string, std::string> fields;

    bool Has(const std::string& key) const { return fields.count(key) != 0; }
    std::string Text(const std::string& key) const;
    // A missing or non-numeric field reads as a value no test expects.
    long long Number(const std::string& key) const;
    ClockKhz Clocks() const { return {Number("core_khz"), Number("memory_khz"), Number("shader_khz")}; }
};

// The named fields of each call as numbers, one row a call, so a run of calls is checked at once.
using CallRows = std::vector<std::vector<long long>>;
CallRows Fields(const std::vector<JournalCall>& calls, std::initializer_list<const char*> keys);

class DriverJournal {
public:
    void Use(const std::wstring& path) { m_path = path; }
    std::vector<JournalCall> Read() const;
    // The number of calls so far: later reads can look only at what came after.
    size_t Mark() const { return Read().size(); }
    std::vector<JournalCall> Calls(const std::string& fn, size_t since = 0) const;
    // ApplyLevelClocks calls that wrote clocks, or that only tested them.
    std::vector<JournalCall> ClockWrites(size_t since = 0) const { return ClockCalls(since, "false"); }
    std::vector<JournalCall> ClockTests(size_t since = 0) const { return ClockCalls(since, "true"); }

private:
    std::vector<JournalCall> ClockCalls(size_t since, const char* test) const;
    std::wstring m_path;
};

// What a message box showed before it was closed.
struct SeenMessageBox {
    std::wstring text;
    HICON icon = nullptr;
    HWND owner = nullptr;
    RECT place{};
};

// Closes every message box the GUI thread opens while this object lives, pressing OK. The boxes
// are modal, so the closing runs as a thread timer inside their own message loop; whileOpen runs
// there too, once per box, before OK is pressed.
class MessageBoxCloser {
public:
    explicit MessageBoxCloser(HWND dialog, std::function<void()> whileOpen = {});
    ~MessageBoxCloser();
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

    const std::vector<SeenMessageBox>& Seen() const { return m_seen; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void CloseOpenBox();

    static MessageBoxCloser* s_active;
    HWND m_dialog;
    std::function<void()> m_whileOpen;
    std::vector<SeenMessageBox> m_seen;
    std::vector<HWND> m_handled;
    UINT_PTR m_timer = 0;
};

// The main window's owner, recording what the window asked of it.
class RecordingDialogHost : public COskaraDlg::Host {
public:
    SettingsStore& Settings() override { return settings; }
    ProfileBook& Profiles() override { return profiles; }
    void SetCardKey(const std::wstring& key) override { cardKey = key; }
    std::wstring MessageCaption() override { return L"Oskara"; }
    void EndSession() override { ++endSessions; }
    void MainDialogGone(COskaraDlg* dialog) override { gone.push_back(dialog); }
    bool ControllerConnected() override { return controllerConnected; }
    void ShowClocksOnController(int core, int memoryShown, int shader, int fanCells) override {
        controllerClocks.push_back({core, memoryShown, shader, fanCells});
    }
    bool ControllerFollowsPoll() override { return controllerFollowsPoll; }
    void ShowLogStopped(const std::wstring&, const std::wstring&) override {}
    void ShowReadingsOnController(int temperatureCells, int fanCells) override {
        controllerReadings.push_back({temperatureCells, fanCells});
    }
    void OptionsStored() override {}
    void ShowTrayTip(const std::wstring& text) override { trayTips.push_back(text); }
    void ShowTempGuardActed(const std::wstring&) override {}
    void ShowScanRunning(const std::wstring& text) override { scanRefusals.push_back(text); }

    MemorySettingsStore settings;
    ProfileBook profiles;
    std::wstring cardKey;
    int endSessions = 0;
    bool controllerConnected = false;
    std::vector<COskaraDlg*> gone;
    std::vector<std::array<int, 4>> controllerClocks;
    bool controllerFollowsPoll = false;
    std::vector<std::array<int, 2>> controllerReadings;
    std::vector<std::wstring> trayTips;
    std::vector<std::wstring> scanRefusals;
};

class MainDialogFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Describes the card, starts a fresh journal and opens the dialog; settings prepared before
    // are read by its initialisation. A dialog still open is closed first, which unloads the
    // driver, so the new card starts from its description.
    void Open(const std::string& card);
    void Close();

    HWND Item(int id) const { return GetDlgItem(dlg->m_hWnd, id); }
    static std::wstring ControlText(HWND window, int id);
    std::wstring Text(int id) const { return ControlText(dlg->m_hWnd, id); }
    int Pos(int sliderId) const;
    int RangeMin(int sliderId) const;
    int RangeMax(int sliderId) const;
    // {RangeMin, RangeMax, Pos}, to be checked in one line.
    std::array<int, 3> SliderState(int sliderId) const { return {RangeMin(sliderId), RangeMax(sliderId), Pos(sliderId)}; }
    // As the user leaves it: the thumb moved, then the dialog told by WM_HSCROLL.
    void Slide(int sliderId, int pos);
    LRESULT Command(int id);
    // Marks the journal, then presses the button or sends the message: what that asked of the card
    // follows the mark.
    size_t MarkThenCommand(int id) { const size_t mark = journal.Mark(); Command(id); return mark; }
    size_t MarkThenSend(UINT msg, WPARAM wp = 0, LPARAM lp = 0) { const size_t mark = journal.Mark(); Send(msg, wp, lp); return mark; }
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return SendMessageW(dlg->m_hWnd, msg, wp, lp); }
    LRESULT Click(int x, int y) const { return Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    // Takes the WM_NCLBUTTONDOWN a click posts (the window drag), so no move loop ever starts;
    // true when one at this point was waiting.
    bool TakeDragAt(int x, int y);

    uint32_t Setting(const IntSetting& setting) { return Settings::Read(host.Settings(), setting); }
    // What the next start restores: LastCore, LastMem, LastShader and LastFan.
    std::array<uint32_t, 4> LastValues() {
        return {Setting(Settings::LastCore), Setting(Settings::LastMem), Setting(Settings::LastShader), Setting(Settings::LastFan)};
    }

    RecordingDialogHost host;
    COskaraDlg* dlg = nullptr;
    DriverJournal journal;
};
