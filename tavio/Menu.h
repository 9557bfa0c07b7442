#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "store/ProfileBook.h"
#include "store/SettingsStore.h"
#include "tavio/Display.h"
#include "tavio/MenuHost.h"

// The controller's own menu: nine screens driven by its three keys. It changes the card only
// through the main window's sliders and operations, so window, card and controller agree.
class CTavioMenu {
public:
    enum State : uint8_t {
        MainMenu, EditCore, EditMemory, EditShader, FanMenu, FanCustom, ProfileList, ProfileView, ProfileOptions,
    };
    enum Event : uint32_t { Release = 0, Left = 1, Middle = 2, Right = 3 };

    static constexpr unsigned kRepeatMs = 250;
    static constexpr unsigned kIdleMs = 5000;
    static constexpr unsigned kBlinkMs = 500;

    CTavioMenu(TavioMenuHost& host, CTavioDisplay& display, ProfileBook& profiles, SettingsStore& settings)
        : m_host(host), m_display(display), m_profiles(profiles), m_settings(settings) {}

    // The transport opened a controller: screen reset, fixed indicators, current screen, blink.
    void OnConnected();
    // The controller is gone: a held key's repeat and the idle return end with it.
    void OnRemoved();
    // At exit, before the controller is closed.
    void StopTimers();

    // The main window's refresh: its clocks (memory as the slider shows it) and the fan bar.
    void ShowWindowClocks(int core, int memoryShown, int shader, int fanCells);
    // The poll's readings go on the bars while a controller is open and shows no profile.
    bool FollowsPoll() const { return m_display.IsConnected() && !m_preview; }
    // Lit cells of each bar; fanCells < 0: the fan could not be read and its bar stays.
    void ShowReadings(int temperatureCells, int fanCells);

    // A key event from the controller (0 release, 1 left, 2 middle, 3 right).
    void OnEvent(uint64_t code);
    void OnRepeatTimer();
    void OnIdleTimer();
    void OnBlinkTimer();

    State CurrentState() const { return m_state; }
    bool Previewing() const { return m_preview; }
    size_t Cursor() const { return m_cursor; }

private:
    void Handle(uint64_t code, bool repeated, bool armIdle);
    void Act(uint64_t code, bool repeated);
    void ActInMenus(uint64_t code, bool repeated);
    void ActInProfiles(uint64_t code, bool repeated);
    bool DropStaleCursor();
    void Draw();
    void DrawPreview();
    void ShowProfileName();
    // Shows the text alone on the line for a moment; the labels follow at the next draw.
    void HoldText(const std::wstring& text);
    void EndPreview();

    void AdjustClock(TavioMenuHost::Clock clock, int direction);
    void StepFan(int direction);
    void CreateProfile();
    void NextProfile();
    void DeleteProfile();
    void ActivateProfile();
    int StepSize();
    int MemoryFactor();

    void Start(TavioMenuHost::Timer timer, unsigned ms, bool& running);
    void Stop(TavioMenuHost::Timer timer, bool& running);
    void FollowBlink();

    TavioMenuHost& m_host;
    CTavioDisplay& m_display;
    ProfileBook& m_profiles;
    SettingsStore& m_settings;

    State m_state = MainMenu;
    size_t m_cursor = 0;
    uint32_t m_cursorRevision = 0;
    bool m_preview = false;
    uint64_t m_lastEvent = Release;
    bool m_repeatRunning = false;
    bool m_idleRunning = false;
    bool m_blinkRunning = false;
    bool m_blink = true;
};
