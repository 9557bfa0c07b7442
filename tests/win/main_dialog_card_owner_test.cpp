// What the card is left running after the confirmation, a resume and the fan curve's stops, on two
// linked GPUs: the journal's last cooler write per GPU is what each runs.
#include "res/resource.h"
#include "tests/host/ProfileMaker.h"
#include "tests/win/support/MainDialogFixture.h"
#include "tests/win/support/SimDriverFiles.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

// 70 °C whatever the clocks: the default curve holds 70 % there.
constexpr const char* kHotPair = "gpus 2\ngroup 0 1\npci 10DE 0402\ntemp 70\nthermal 0 0\n";
constexpr int kCurveAt70 = 70;
constexpr int kAuto = -1;

class MainDialogCardOwner : public MainDialogFixture {
protected:
    // The fan each GPU was last given since the mark: a fixed percent, kAuto, or -2 for no write.
    std::array<int, 2> LastFans(size_t since) const {
        std::array<int, 2> last{-2, -2};
        for (const JournalCall& call : journal.Calls("ApplyCoolerLevels", since)) {
            const long long gpu = call.Number("gpu");
            if (call.Number("status") == 0 && (gpu == 0 || gpu == 1)) last[gpu] = call.Number("policy") == 1 ? static_cast<int>(call.Number("level")) : kAuto;
        }
        return last;
    }
    std::vector<long long> CoresWritten(size_t since) const {
        std::vector<long long> cores;
        for (const JournalCall& call : journal.ClockWrites(since)) cores.push_back(call.Number("core_khz") / 1000);
        return cores;
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) Send(WM_TIMER, CFanCurveDriver::kTimer);
    }
    void TearDown() override {
        SimDriverFiles::UseFaults("");
        MainDialogFixture::TearDown();
    }
};

TEST_F(MainDialogCardOwner, EveryEndOfTheQuestionLeavesWhatTheUserChose) {
    enum class End { Keep, Revert, CloseBox, Countdown, SecondApplyThenCountdown, WindowEnds, LogOff };
    const struct {
        End end;
        std::vector<long long> cores;  // clock writes from the Apply on
        std::array<int, 2> fans;       // what each GPU runs at the end
        const wchar_t* fanLabel;       // null: the window is gone
    } cases[] = {
        {End::Keep, {760, 760}, {80, 80}, L"80 %"},
        {End::Revert, {760, 760, 700, 700}, {kCurveAt70, kCurveAt70}, L"Curve"},
        {End::CloseBox, {760, 760, 700, 700}, {kCurveAt70, kCurveAt70}, L"Curve"},
        {End::Countdown, {760, 760, 700, 700}, {kCurveAt70, kCurveAt70}, L"Curve"},
        {End::SecondApplyThenCountdown, {760, 760, 720, 720, 700, 700}, {kCurveAt70, kCurveAt70}, L"Curve"},
        {End::WindowEnds, {760, 760, 700, 700}, {kAuto, kAuto}, nullptr},
        {End::LogOff, {760, 760, 700, 700}, {kAuto, kAuto}, L"Auto"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.end));
        host.settings = {};
        Settings::Write(host.settings, Settings::ConfirmApply, 1);
        Settings::Write(host.settings, Settings::FanCurveOn, 1);
        Open(kHotPair);
        ASSERT_EQ(LastFans(0), (std::array<int, 2>{kCurveAt70, kCurveAt70}));  // the curve drives from the start
        Slide(IDC_CORE_SLIDER, 760);
        Slide(IDC_FAN_SLIDER, 80);
        const size_t mark = MarkThenCommand(IDC_APPLY);
        const HWND question = FindWindowW(L"#32770", L"Keep these clocks?");
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(GetWindow(question, GW_OWNER), dlg->m_hWnd);
        switch (c.end) {
        case End::Keep: SendMessageW(question, WM_COMMAND, IDC_CONFIRM_KEEP, 0); break;
        case End::Revert: SendMessageW(question, WM_COMMAND, IDC_CONFIRM_REVERT, 0); break;
        case End::CloseBox:
            SendMessageW(question, WM_CLOSE, 0, 0);
            WinTest::Pump();
            break;
        case End::SecondApplyThenCountdown:
            for (int second = 1; second < COskaraDlg::kConfirmSeconds; ++second) Send(WM_TIMER, COskaraDlg::kConfirmTimer);
            SetActiveWindow(dlg->m_hWnd);  // as a click on the window does before the slider moves
            Slide(IDC_CORE_SLIDER, 720);
            Command(IDC_APPLY);
            EXPECT_EQ(FindWindowW(L"#32770", L"Keep these clocks?"), question);
            Send(WM_TIMER, COskaraDlg::kConfirmTimer);  // the countdown started again
            EXPECT_TRUE(IsWindow(question));
            [[fallthrough]];
        case End::Countdown:
            for (int second = 0; second < COskaraDlg::kConfirmSeconds; ++second) Send(WM_TIMER, COskaraDlg::kConfirmTimer);
            break;
        case End::WindowEnds: Close(); break;
        case End::LogOff: Send(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF); break;
        }
        EXPECT_FALSE(IsWindow(question));
        EXPECT_EQ(CoresWritten(mark), c.cores);
        if (c.cores.back() == 700) {  // the way back is every clock the card ran before
            const JournalCall back = journal.ClockWrites(mark).back();
            EXPECT_EQ(back.Number("memory_khz"), 1000000);
            EXPECT_EQ(back.Number("shader_khz"), 1400000);
        }
        EXPECT_EQ(LastFans(mark), c.fans);
        if (c.fanLabel) EXPECT_EQ(Text(IDC_FAN_VALUE), c.fanLabel);
        for (const IntSetting& last : {Settings::LastCore, Settings::LastMem, Settings::LastShader, Settings::LastFan})
            EXPECT_EQ(host.settings.HasValue(L"", last.name), c.end == End::Keep) << std::wstring(last.name);
        Close();
    }
}

TEST_F(MainDialogCardOwner, AResumePutsBackOnlyTheClocksThisSessionPutThere) {
    const struct {
        const char* name;
        int applyCore;  // 0: no Apply
        bool resetAfter;
        std::vector<long long> cores;  // written by the re-apply
    } cases[] = {
        {"an applied overclock", 760, false, {760, 760}},
        {"no Apply, the stored clocks of another session", 0, false, {}},
        {"Reset after the Apply", 760, true, {}},
        {"the defaults applied", 700, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.settings = {};
        Settings::Write(host.settings, Settings::ReapplyOnResume, 1);
        for (const IntSetting& last : {Settings::LastCore, Settings::LastMem, Settings::LastShader})
            Settings::Write(host.settings, last, 900);
        Open(kHotPair);
        if (c.applyCore) {
            Slide(IDC_CORE_SLIDER, c.applyCore);
            Command(IDC_APPLY);
        }
        if (c.resetAfter) Command(IDC_RESET);
        Send(WM_POWERBROADCAST, PBT_APMSUSPEND);
        Send(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
        const size_t mark = MarkThenSend(WM_TIMER, COskaraDlg::kReapplyTimer);
        EXPECT_EQ(CoresWritten(mark), c.cores);
        Close();
    }
}

TEST_F(MainDialogCardOwner, NoGpuKeepsALevelTheCurveSetOnceItStops) {
    enum class Stop { Reset, FixedApply, CurveTurnedOff, LogOff, TrayProfile, ActivatedProfile, FailedReads };
    const struct {
        Stop stop;
        std::array<int, 2> fans;
    } cases[] = {
        {Stop::Reset, {kAuto, kAuto}},           {Stop::FixedApply, {45, 45}},
        {Stop::CurveTurnedOff, {kAuto, kAuto}},  {Stop::LogOff, {kAuto, kAuto}},
        {Stop::TrayProfile, {45, 45}},           {Stop::ActivatedProfile, {kAuto, 45}},
        {Stop::FailedReads, {kAuto, kAuto}},
    };
    const PROFILE fixed45 = MakeProfile(L"Quiet", 700, 1000, 1400, 45);
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.stop));
        host.settings = {};
        Settings::Write(host.settings, Settings::FanCurveOn, 1);
        Open(kHotPair);
        const size_t mark = journal.Mark();
        switch (c.stop) {
        case Stop::Reset: Command(IDC_RESET); break;
        case Stop::FixedApply:
            Slide(IDC_FAN_SLIDER, 45);
            Command(IDC_APPLY);
            break;
        case Stop::CurveTurnedOff:
            Settings::Write(host.settings, Settings::FanCurveOn, 0);
            dlg->Owner().SettingsChanged();
            break;
        case Stop::LogOff: Send(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF); break;
        case Stop::TrayProfile: dlg->SwitchToProfile(fixed45); break;
        case Stop::ActivatedProfile: dlg->Owner().Put({std::nullopt, 45}, CCardOwner::Reach::SelectedGpu); break;
        case Stop::FailedReads:
            SimDriverFiles::UseFaults("fail NvAPI_GPU_GetThermalSettings -1\n");
            Ticks(CFanCurveControl::kFailedReadsToGiveBack);
            break;
        }
        EXPECT_EQ(LastFans(mark), c.fans);
        // Nothing drives afterwards: the ticks write nothing more.
        const size_t after = journal.Mark();
        Ticks(2);
        EXPECT_TRUE(journal.Calls("ApplyCoolerLevels", after).empty());
        SimDriverFiles::UseFaults("");
        Close();
    }
}

TEST_F(MainDialogCardOwner, AGpuGivenBackRestsTenSecondsAndTheOneThatTookItsLevelIsLeftAlone) {
    Settings::Write(host.settings, Settings::FanCurveOn, 1);
    Open(std::string(kHotPair) + "gpu 1\nfail ApplyCoolerLevels -1\n");
    EXPECT_EQ(LastFans(0), (std::array<int, 2>{kCurveAt70, -2}));
    size_t mark = journal.Mark();
    Ticks(CFanCurveDriver::kRestTicks - 1);
    EXPECT_TRUE(journal.Calls("ApplyCoolerLevels", mark).empty());
    Ticks(1);
    for (const JournalCall& call : journal.Calls("ApplyCoolerLevels", mark)) {
        SCOPED_TRACE(call.Number("gpu"));
        if (call.Number("gpu") == 0) EXPECT_EQ(call.Number("level"), kCurveAt70);
    }
    EXPECT_FALSE(journal.Calls("ApplyCoolerLevels", mark).empty());

    // Failed reads give both back; the curve takes them again no sooner than the rest allows.
    Open(kHotPair);
    SimDriverFiles::UseFaults("fail NvAPI_GPU_GetThermalSettings -1\n");
    Ticks(CFanCurveControl::kFailedReadsToGiveBack);
    SimDriverFiles::UseFaults("");
    mark = journal.Mark();
    Ticks(CFanCurveDriver::kRestTicks - 1);
    EXPECT_TRUE(journal.Calls("ApplyCoolerLevels", mark).empty());
    Ticks(1);
    EXPECT_EQ(LastFans(mark), (std::array<int, 2>{kCurveAt70, kCurveAt70}));
}

}  // namespace
