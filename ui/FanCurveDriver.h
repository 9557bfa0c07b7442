#pragma once
#include <windows.h>

#include <optional>

#include "gpu/FanCurveControl.h"

class CCard;
class SettingsStore;

// The fan curve on the card: while it drives, a 1 s timer of the owner window reads the group's
// temperature and writes the level the curve gives to every GPU. The timer exists only while the
// curve drives. Every way out of driving either gives the fan back to the automatic control or
// follows a write that already put the fan where the user chose.
class CFanCurveDriver {
public:
    static constexpr UINT_PTR kTimer = 100;
    static constexpr UINT kPeriodMs = 1000;

    CFanCurveDriver(CCard& card, SettingsStore& settings) : m_card(card), m_settings(settings) {}

    void Attach(HWND window) { m_window = window; }
    bool Driving() const { return m_control.has_value(); }
    // The level the curve holds the fan at; nullopt while the card's automatic control has it.
    std::optional<int> Level() const { return m_control ? m_control->Level() : std::nullopt; }

    // A fan position was just written to the card: automatic with the curve on starts driving
    // (from the stored settings); anything else stops it, writing nothing.
    void FollowFanPosition(int position);
    // Stops without a write: the caller has just set the fan itself.
    void Stop();
    // Stops and, if the curve was driving, gives every GPU's fan back to its automatic control.
    void GiveBack();
    // The settings changed: a curve turned off gives the fan back; one still on takes the new
    // points at the next tick; one turned on starts when the fan position is automatic.
    void Reload(int fanPosition);
    void OnTimer();
    // The hottest temperature now and the fan level with it, for the editor's marker.
    std::optional<FanCurvePoint> Reading();

private:
    void Start();

    CCard& m_card;
    SettingsStore& m_settings;
    HWND m_window = nullptr;
    std::optional<CFanCurveControl> m_control;
};
