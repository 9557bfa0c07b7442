#pragma once
#include <cstdint>

// What the controller's menu needs from its owner: the main window's sliders and operations,
// the menu's three timers and the pause that keeps a profile name on the screen.
class TavioMenuHost {
public:
    enum class Clock { Core, Memory, Shader };
    enum class Timer { Repeat, Idle, Blink };

    virtual ~TavioMenuHost() = default;

    // While the main window is gone the menu leaves the card alone.
    virtual bool HasMainWindow() = 0;
    // Slider positions; memory in slider units (the real clock times the memory factor).
    virtual int ClockSliderPos(Clock clock) = 0;
    virtual int FanSliderPos() = 0;
    // As a drag would: the position is held to the slider's range, then the slider's moved
    // handling runs (ranges, coupled sliders, labels).
    virtual void MoveClockSlider(Clock clock, int position) = 0;
    // The range first grows to hold value, then the slider takes it: nothing is clamped.
    virtual void SetClockSlider(Clock clock, int value) = 0;
    virtual void SetFanSlider(int position) = 0;
    virtual void Apply() = 0;
    virtual void ResetCard() = 0;
    virtual void UpdateControls() = 0;
    virtual int MemoryClockFactor() = 0;
    // The card's fan level in percent; false when it cannot be read.
    virtual bool ReadFanLevel(int& percent) = 0;
    // The main window's poll runs as soon as it can and redraws the controller's bars.
    virtual void RequestPoll() = 0;

    // The timer calls back into the menu's matching handler every period until stopped.
    virtual void StartTimer(Timer timer, unsigned milliseconds) = 0;
    virtual void StopTimer(Timer timer) = 0;
    // Keeps a profile name on the controller for a moment before the labels come back.
    virtual void HoldProfileName() = 0;
};
