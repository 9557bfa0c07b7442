#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "gpu/FanCurveControl.h"

class CCard;
class SettingsStore;

// The fan curve on the card: while it drives, a 1 s timer of the owner window reads the group's
// temperature and writes the level the curve gives to every GPU. The timer exists only while the
// curve drives. A GPU given back (a refused write, failed reads) rests under its automatic
// control for a while before the curve takes it again; the others keep their level.
class CFanCurveDriver {
public:
    static constexpr UINT_PTR kTimer = 100;
    static constexpr UINT kPeriodMs = 1000;
    // Ticks a given-back GPU rests: a GPU that refuses writes must not flip every second.
    static constexpr int kRestTicks = 10;

    CFanCurveDriver(CCard& card, SettingsStore& settings) : m_card(card), m_settings(settings) {}

    void Attach(HWND window) { m_window = window; }
    bool Driving() const { return m_control.has_value(); }
    // The level the curve holds the fan at; nullopt while the card's automatic control has it.
    std::optional<int> Level() const { return m_control ? m_control->Level() : std::nullopt; }

    // Drives every GPU of the group from the stored settings; the first level goes out now.
    void Start();
    // Stops without a write: the caller sets the fan itself.
    void Stop();
    // Stops and, if the curve was driving, gives every GPU's fan back to its automatic control.
    void GiveBack();
    // The stored points and hysteresis changed: the level stays until a reading moves it.
    void Retune();
    // A level from a fresh reading now, whatever was sent before (the card may have lost it).
    void Refresh();
    void OnTimer();
    // The hottest temperature now and the fan level with it, for the editor's marker.
    std::optional<FanCurvePoint> Reading();

private:
    void SetLevel(int percent);
    void Rest(const std::vector<uint32_t>& gpus);

    CCard& m_card;
    SettingsStore& m_settings;
    HWND m_window = nullptr;
    std::optional<CFanCurveControl> m_control;
    std::vector<uint32_t> m_resting;
    int m_restTicksLeft = 0;
};
