#pragma once
#include "gpu/Card.h"
#include "store/Profile.h"

// Whether the card still runs a profile: its clocks in whole MHz (the shader only where the card
// has one) and, when the fan could be read, its fan setting.
bool CardRunsProfile(const PROFILE& profile, const CardClocks& clocks, const CardFan& fan, bool hasShaderClock);
