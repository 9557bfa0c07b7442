#pragma once

// The fan slider's position: 0 to 100 is a fixed fan level in percent, anything above is the
// card's automatic control, which the slider shows at its end.
inline constexpr int kFanAutomaticPosition = 110;

constexpr bool IsAutomaticFan(int position) { return position > 100; }
