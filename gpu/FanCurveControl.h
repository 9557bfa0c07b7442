#pragma once
#include <optional>

#include "gpu/FanCurve.h"

// What one tick of the curve asks of the card.
struct FanCurveStep {
    enum class Action { None, SetLevel, GiveBack };
    Action action = Action::None;
    int percent = 0;  // for SetLevel
};

// The rule that turns temperature readings into fan levels, one reading per tick. A level rises
// at once and falls only once the temperature is the hysteresis below where it was set; small
// steps are skipped unless they land on a point of the curve. Failures hand the fan back to the
// card's automatic control, and the next good reading takes it again.
class CFanCurveControl {
public:
    static constexpr int kMinStep = 2;
    static constexpr int kFailedReadsToGiveBack = 3;

    CFanCurveControl(CFanCurve curve, int hysteresis) : m_curve(std::move(curve)), m_hysteresis(hysteresis) {}

    // celsius is nullopt for a failed read; a reading outside 0..120 °C counts as one.
    FanCurveStep OnReading(std::optional<int> celsius);
    // The fan was given back outside this rule (a refused write, a resume): the next reading
    // sets a level.
    void Release();
    // New points and hysteresis; the level last sent and the failed reads so far stay, as the
    // fan still runs at that level.
    void Retune(CFanCurve curve, int hysteresis) {
        m_curve = std::move(curve);
        m_hysteresis = hysteresis;
    }

    // The level last sent; nullopt while the card's automatic control has the fan.
    std::optional<int> Level() const { return m_level; }

private:
    bool Sends(int target, int celsius) const;

    CFanCurve m_curve;
    int m_hysteresis;
    std::optional<int> m_level;
    int m_levelSetAt = 0;
    int m_failedReads = 0;
};
