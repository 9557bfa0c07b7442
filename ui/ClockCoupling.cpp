#include "ui/ClockCoupling.h"

#include <algorithm>

#include "ui/SliderRange.h"
#include "ui/Truncate.h"

bool CouplesCoreAndShader(uint16_t deviceId) { return deviceId == 0x06C0 || deviceId == 0x06C8; }

int ShaderForCore(int core) { return TruncToInt(2.0 * core); }

int CoreForShader(int shader) { return TruncToInt(0.5 * shader); }

ClockCeilings ClockRangeCeilings(double core, double memoryShown, double shader, std::optional<uint16_t> deviceId) {
    ClockCeilings ceilings{ClockRangeCeiling(core), ClockRangeCeiling(memoryShown), ClockRangeCeiling(shader), false};
    ceilings.tied = deviceId && CouplesCoreAndShader(*deviceId) && ceilings.shader > 0;
    if (!ceilings.tied) return ceilings;
    const int coreCeiling = ceilings.core;
    ceilings.core = std::min(coreCeiling, CoreForShader(ceilings.shader));
    ceilings.shader = std::min(ceilings.shader, ShaderForCore(coreCeiling));
    return ceilings;
}
