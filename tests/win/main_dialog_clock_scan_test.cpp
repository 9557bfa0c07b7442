// The clock scan on the real main window while the driver's test takes its time: the windows
// stay free, the card is left to the test, changes of the card are refused, Stop ends at the answer.
#include "res/resource.h"
#include "tests/win/support/MainDialogFixture.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

using MainDialogClockScan = MainDialogFixture;

std::wstring ItemText(HWND window, int id) {
    wchar_t text[512] = L"";
    GetDlgItemTextW(window, id, text, 512);
    return text;
}

TEST_F(MainDialogClockScan, ADelayedTestKeepsTheWindowsFreeAndTheCardToItself) {
    Open("clocktest limits 760 1080 1520\nclocktest delay 600\n");
    Command(ID_TRAY_SCAN);
    const HWND scan = FindWindowW(nullptr, OSKARA_SCAN_TITLE);
    ASSERT_NE(scan, nullptr);
    const size_t mark = journal.Mark();
    const ULONGLONG before = GetTickCount64();
    SendMessageW(scan, WM_COMMAND, IDC_SCAN_START, 0);
    EXPECT_LT(GetTickCount64() - before, 300u) << "Start waited for the driver's test";
    EXPECT_EQ(ItemText(scan, IDC_SCAN_STEP), L"Core 740 MHz, test 1 of 3");

    // While the test is with the driver: the poll asks the card nothing, every change is refused.
    Send(WM_TIMER, COskaraDlg::kPollTimer);
    dlg->OnApply();
    dlg->OnReset();
    dlg->SwitchToProfile(PROFILE{L"Fast", 760, 1050, 1520, 50});
    {
        MessageBoxCloser closer(dlg->m_hWnd);
        Command(IDC_APPLY);
        ASSERT_EQ(closer.Seen().size(), 1u);
        EXPECT_EQ(closer.Seen()[0].text, L"A clock scan is running. Stop it first.");
    }
    EXPECT_EQ(host.scanRefusals.size(), 3u);
    EXPECT_EQ(Setting(Settings::LastCore), 0u);
    EXPECT_TRUE(journal.Calls("NvAPI_GPU_GetThermalSettings", mark).empty());

    SendMessageW(scan, WM_COMMAND, IDC_SCAN_STOP, 0);
    WinTest::Pump(3000, [&] { return !dlg->Scanning(); });
    EXPECT_FALSE(dlg->Scanning());
    EXPECT_EQ(journal.ClockTests(mark).size(), 1u) << "Stop sent another test";
    EXPECT_TRUE(journal.ClockWrites(mark).empty()) << "the card's clocks were never changed, nothing to put back";
    EXPECT_EQ(ItemText(scan, IDC_SCAN_RESULT), L"Stopped. The card runs the clocks it ran before the scan.");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(scan, IDC_SCAN_START)));
    EXPECT_EQ(host.settings.ReadString(L"", Settings::ScanState, L"?"), L"");

    dlg->OnApply();
    EXPECT_EQ(host.scanRefusals.size(), 3u);
    EXPECT_FALSE(journal.ClockWrites(mark).empty()) << "Apply after the scan did nothing";
}

}  // namespace
