#include "ui/RunningProfile.h"

#include "gpu/FanPosition.h"
#include "ui/Truncate.h"

bool CardRunsProfile(const PROFILE& profile, const CardClocks& clocks, const CardFan& fan, bool hasShaderClock) {
    if (TruncToInt(clocks.core) != profile.core || TruncToInt(clocks.memory) != profile.memory) return false;
    if (hasShaderClock && TruncToInt(clocks.shader) != profile.shader) return false;
    if (!fan.known) return true;
    if (IsAutomaticFan(profile.fan)) return fan.automatic;
    return !fan.automatic && fan.highestPercent == profile.fan;
}
