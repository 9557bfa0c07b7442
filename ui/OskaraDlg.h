#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "store/Profile.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/GdiObject.h"
#include "framework/SliderCtrl.h"
#include "gpu/Card.h"
#include "skin/ButtonST.h"
#include "skin/Dib.h"
#include "skin/TransparentStatic.h"
#include "ui/ClockCoupling.h"
#include "ui/MonitorFeed.h"
#include "ui/CardOwner.h"
#include "ui/ConfirmClocksDlg.h"
#include "ui/MySliderControl.h"
#include "ui/ProfilesDlg.h"
#include "ui/TempGuard.h"
#include "ui/access/MainWindowAccess.h"
#include "ui/scan/ClockScanDlg.h"
#include "ui/scan/ClockScanRun.h"
#include "ui/programs/ProcessWatch.h"
#include "ui/programs/ProgramFollower.h"
#include "ui/programs/ProgramRules.h"

class CGpuControl;
class ProfileBook;
class SettingsStore;

// The main window: four sliders with their value labels, the temperature and its gauge, and the
// buttons. It owns the card (the one CGpuControl and the CCard over it); every write to the card
// goes to each GPU of the group at the top performance level. It frees itself when its window is
// gone.
class COskaraDlg : public CDialog,
                   private CProfilesDlg::Host,
                   private CConfirmClocksDlg::Host,
                   private CClockScanDlg::Host {
public:
    // What the window needs of its owner.
    class Host : public CMonitorFeed::Host {
    public:
        virtual SettingsStore& Settings() = 0;
        virtual ProfileBook& Profiles() = 0;
        // Formed from the card's PCI ids when the window identifies the card; empty when unknown.
        virtual void SetCardKey(const std::wstring& key) = 0;
        virtual std::wstring MessageCaption() = 0;
        // Windows is logging off or shutting down: store what the exit stores.
        virtual void EndSession() = 0;
        virtual void MainDialogGone(COskaraDlg* dialog) = 0;
        // Whether the Tavio controller is there now.
        virtual bool ControllerConnected() = 0;
        // The controller's screen follows the window: after each refresh the clocks as the
        // sliders show them (memory times the factor) and the fan bar's lit cells.
        virtual void ShowClocksOnController(int core, int memoryShown, int shader, int fanCells) = 0;
        // Whether the poll's readings go to the controller now (one is open, showing no profile).
        virtual bool ControllerFollowsPoll() = 0;
        // Lit cells of the two bars; fanCells is -1 when the fan could not be read.
        virtual void ShowReadingsOnController(int temperatureCells, int fanCells) = 0;
        // The tray icon's tooltip, given again only when its text changed.
        virtual void ShowTrayTip(const std::wstring& text) = 0;
        // The options dialog stored its settings.
        virtual void OptionsStored() = 0;
        // The temperature guard put the defaults back: one balloon with this text.
        virtual void ShowTempGuardActed(const std::wstring& text) = 0;
        // A change of the card was refused while a clock scan runs: one short balloon.
        virtual void ShowScanRunning(const std::wstring& text) = 0;

    protected:
        ~Host() = default;
    };

    enum class ClockSlider { Core, Memory, Shader };

    static constexpr UINT_PTR kPollTimer = 99;
    static constexpr UINT kPollPeriodMs = 3000;
    static constexpr UINT_PTR kConfirmTimer = 102;
    static constexpr int kConfirmSeconds = 15;
    static constexpr UINT_PTR kReapplyTimer = 103;
    static constexpr UINT kReapplyDelayMs = 2000;
    static constexpr UINT_PTR kFollowTimer = 104;
    static constexpr UINT kProgramEndedMessage = WM_APP + 0x20;
    // Posted at the window's creation: the watch starts once the start-up's restore is done.
    static constexpr UINT kFollowStartMessage = WM_APP + 0x21;

    // Binds the driver and identifies the card; a card that cannot be bound is reported and a
    // quit is requested, and every later card operation then does nothing.
    COskaraDlg(Host& host, CWnd* parent);
    ~COskaraDlg() override;

    CCard& Card() { return m_card; }
    CCardOwner& Owner() { return m_owner; }

    // Reads what the card runs now into the sliders and labels.
    void UpdateControls();
    void UpdateValueLabels();
    // 1, 2 or 4: the shown memory clock over the real one.
    int GetMemoryClockFactor() override;
    void OnApply();
    void OnReset();
    // Each clock slider's range around the card's default again: the growth is dropped.
    void ResetClockRanges();
    // As Apply, to every GPU of the group and stored, with no question to confirm it.
    void SwitchToProfile(const PROFILE& profile);
    // The profile activated last, while the card still runs it.
    std::optional<PROFILE> RunningProfile();

    // Slider units: memory as shown. The range first grows to hold the value, so the slider
    // never shows (and Apply never writes) less than asked.
    void SetClockSlider(ClockSlider which, int value);
    int ClockSliderPos(ClockSlider which);
    // As a drag leaves it: the position held to the range, then OnSliderMoved.
    void MoveClockSlider(ClockSlider which, int position);
    void SetFanSlider(int position);
    int FanSliderPos();
    // The fan's value for screen readers: "Auto", "Curve 45 %" while the curve drives, or "70 %".
    std::wstring FanValueText();
    // The local time the temperature guard last acted; empty when it has not this session.
    const std::wstring& TempGuardActed() const { return m_tempGuardActed; }
    // What follows a moved clock slider: range growth, core-shader coupling, labels.
    void OnSliderMoved(ClockSlider which);

    // The clock scan (ui/OskaraDlgScan.cpp). While it runs, every change of the card is refused.
    bool Scanning() const { return m_scan.Running(); }
    // True (and the user told in a balloon) while a scan runs.
    bool RefusedWhileScanning();
    void OpenScanWindow();
    // A start that found the state of a scan the machine's end cut short asks to go on with it.
    void OfferToContinueScan();

protected:
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PostNcDestroy() override;

private:
    void IdentifyCard();
    // The skin, its shape, the gauge, controls, buttons and fonts at a whole factor (OskaraDlgScale.cpp).
    void ApplyScale(int scale);
    int ScaleForDpi(UINT dpi);
    UINT WindowDpi();
    void LoadScaledImages();
    void PlaceControls();
    void PlaceButtons();
    void CreateFonts();
    void ApplySkin();
    // Keyboard focus and screen readers (OskaraDlgAccess.cpp).
    void SetFocusMarks();
    void AttachAccess();
    int EnterCommand();
    void OnDpiChanged(WPARAM dpi, const RECT& suggested);
    void PaintSkin(HDC dc);
    void OnPaint();
    void OnLButtonDown(int x, int y);
    bool InGauge(int x, int y) const;
    void OnActivate(WPARAM state);
    void OnScroll(HWND slider);
    bool OnCommand(WORD id, WORD code);
    void OnPoll();
    LRESULT OnPowerBroadcast(WPARAM event, LPARAM data);
    void OnEndSession(bool ending);
    void OnDestroy();
    void RunClockTest();
    void OnProfiles();
    void OnOptions();
    // The memory slider around the card's default in the factor now in force; growth is dropped.
    void ResetMemorySlider();
    Sliders SliderPositions() override;
    void ActivateProfile(const PROFILE& profile) override;
    void PutProfile(const PROFILE& profile, CCardOwner::Reach reach);
    static UserChoice ChoiceOf(const PROFILE& profile);
    void ShowProfileOnSliders(const PROFILE& profile);
    void ShowTrayTip(int32_t hottest);

    // Apply's stored values and their confirmation (ui/OskaraDlgSwitching.cpp).
    struct Applied {
        double core, memory, shader;
        int fan;
    };
    struct Unconfirmed {
        Applied asked;
        int secondsLeft;
    };
    void StoreApplied(const Applied& applied);
    // Whether an Apply of these clocks waits for a Keep: it raises a clock, or one waits already.
    bool NeedsConfirming(const std::optional<CardClocks>& asked, std::optional<CardClocks>& runningBefore);
    void AskToKeep(const Applied& asked);
    void OnConfirmTick();
    void KeepClocks() override;
    void RevertClocks() override;
    void ConfirmDialogGone(CConfirmClocksDlg* dialog) override;
    // The question and its countdown end; what the card runs stays.
    void EndConfirmation();
    void OnReapplyTimer();
    // The temperature guard (ui/OskaraDlgTempGuard.cpp): on while "TempGuardC" holds a limit.
    void FollowTempGuardSetting();
    // The poll's hottest reading, a failed one as 0, after the guard has seen it.
    int32_t PollHottest();
    // Whether any clock the user chose, or the window read last, is above its default.
    bool ClocksRaised();
    void PutDefaultsWhenHot(std::optional<int32_t> reading);
    // The clock scan's window and its bounds (ui/OskaraDlgScan.cpp).
    CClockScanRun& Scan() override { return m_scan; }
    bool StartScan() override;
    int MemoryFactor() override { return GetMemoryClockFactor(); }
    void PutScanOnSliders(const CardClocks& clocks) override;
    void SaveScanAsProfile(const CardClocks& clocks, HWND boxOwner) override;
    void ScanWindowGone(CClockScanDlg* window) override;
    std::optional<ScanBounds> ScanBoundsNow();
    std::optional<ScanBounds> StoredScanBounds(const ScanState& state);
    // The window's close, the session's or the program's end: the scan's window goes, and the
    // clocks it found on the card go back.
    void EndScan();
    // A box over this window while a scan runs: the window's own buttons.
    bool BoxIfScanning();
    // A test request is with the driver: this thread leaves the card alone until its answer.
    bool CardLent() const { return m_scan.TestInFlight(); }
    void OpenMonitor();
    void OnClockTestAnswer(ClockTestAnswer answer, LPARAM tag);
    // Profiles that follow programs (ui/OskaraDlgPrograms.cpp): on while "FollowPrograms" is 1;
    // the rules are read again whenever the settings were stored.
    void FollowProgramsSetting();
    bool OnProgramStarted(const CProcessWatch::Seen& seen);
    void OnProgramEnded(uint32_t id);
    void OnFollowTimer();
    // A user's change since the last event is told to the follower first.
    void SeeUserChanges();
    void ActOn(const FollowStep& step);
    void FollowAfterScan();
    std::optional<std::wstring> ProgramProfile(const std::wstring& imagePath);
    // "Fast for game.exe" while a program's profile runs, else empty.
    std::wstring FollowedProgramTip();
    CSliderCtrl& Slider(ClockSlider which);
    void SetClockRange(CSliderCtrl& slider, int min, int max);
    // Growth of the clock sliders' ranges from the card's defaults (ui/OskaraDlgRanges.cpp).
    ClockCeilings SliderCeilings();
    static int CeilingOf(const ClockCeilings& ceilings, ClockSlider which);
    // A tied slider set to follow the one moved, its range grown to hold value within ceiling.
    void HoldTiedSlider(ClockSlider which, int value, int ceiling);

    Host& m_host;
    HICON m_icon = nullptr;
    std::unique_ptr<CGpuControl> m_gpu;
    CCard m_card;
    CMonitorFeed m_monitor{m_host, m_card, m_host.Settings(), [this] { return GetMemoryClockFactor(); },
                           [this] { return m_owner.CurveDriving(); }};
    CMySliderControl m_shaderSlider, m_memorySlider, m_coreSlider, m_fanSlider;
    CTransparentStatic m_coreLabel, m_memoryLabel, m_shaderLabel, m_fanLabel;
    CDIB m_gaugeImage, m_skinImage;
    int32_t m_temperature = 0;
    CFont m_labelFont, m_temperatureFont;
    CTransparentStatic m_temperatureLabel;
    CButtonST m_options, m_minimize, m_close, m_profiles, m_apply, m_reset;
    bool m_clockTestRunning = false;
    int m_scale = 1;
    // What the card was last seen running: a refresh whose read fails shows this rather than 0
    // or the sliders' unapplied positions.
    std::optional<CardClocks> m_seenClocks;
    std::optional<int> m_seenFanPosition;
    std::wstring m_trayTip;
    std::optional<CTempGuard> m_tempGuard;
    std::optional<CardClocks> m_defaultClocks;
    // When the guard last acted, "14:05"; empty while it has not.
    std::wstring m_tempGuardActed;
    std::optional<PROFILE> m_activatedProfile;
    std::optional<Unconfirmed> m_unconfirmed;
    CConfirmClocksDlg* m_confirmDialog = nullptr;
    CCardOwner m_owner{m_card, m_host.Settings()};
    CClockScanRun m_scan{m_card, m_owner, m_host.Settings()};
    CClockScanDlg* m_scanDialog = nullptr;
    bool m_monitorAfterTest = false;
    std::unique_ptr<CProcessWatch> m_programWatch;
    std::vector<ProgramRule> m_programRules;
    CProgramFollower m_follower;
    uint32_t m_userChangesSeen = 0;
    // A step of the follower's waited for a scan's end.
    bool m_followHeld = false;
    CMainWindowAccess m_access;
};
