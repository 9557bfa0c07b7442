// The clock sliders' ranges: around the card's defaults, grown as the user pushes against their
// ends, never past twice the default, and on the tied cards the shader's kept at twice the core.
#include "ui/OskaraDlg.h"

#include "ui/SliderRange.h"

void COskaraDlg::ResetClockRanges() {
    CardClocks defaults;
    m_card.DefaultClocks(defaults);
    const std::pair<ClockSlider, double> shownDefaults[] = {{ClockSlider::Core, defaults.core},
                                                            {ClockSlider::Memory, defaults.memory * GetMemoryClockFactor()},
                                                            {ClockSlider::Shader, defaults.shader}};
    for (const auto& [which, shown] : shownDefaults) {
        const SliderRange range = ClockSliderRange(shown);
        SetClockRange(Slider(which), range.min, range.max);
    }
}

// Read each time: the memory factor follows the settings, and a driver that could not say
// leaves no room to grow.
ClockCeilings COskaraDlg::SliderCeilings() {
    CardClocks defaults;
    m_card.DefaultClocks(defaults);
    uint16_t vendor = 0, device = 0;
    const std::optional<uint16_t> deviceId = m_card.PciIds(vendor, device) ? std::optional(device) : std::nullopt;
    return ClockRangeCeilings(defaults.core, defaults.memory * GetMemoryClockFactor(), defaults.shader, deviceId);
}

int COskaraDlg::CeilingOf(const ClockCeilings& ceilings, ClockSlider which) {
    switch (which) {
    case ClockSlider::Core: return ceilings.core;
    case ClockSlider::Memory: return ceilings.memory;
    case ClockSlider::Shader: break;
    }
    return ceilings.shader;
}

void COskaraDlg::HoldTiedSlider(ClockSlider which, int value, int ceiling) {
    CSliderCtrl& slider = Slider(which);
    const SliderRange range{slider.GetRangeMin(), slider.GetRangeMax()};
    const SliderRange holding = RangeHolding(range, value, ceiling);
    if (!(holding == range)) {
        const bool enabled = IsWindowEnabled(slider.m_hWnd);
        SetClockRange(slider, holding.min, holding.max);
        if (!enabled) slider.EnableWindow(FALSE);
    }
    slider.SetPos(value);
}
