#include "ui/ClockCoupling.h"

#include "ui/Truncate.h"

bool CouplesCoreAndShader(uint16_t deviceId) { return deviceId == 0x06C0 || deviceId == 0x06C8; }

int ShaderForCore(int core) { return TruncToInt(2.0 * core); }

int CoreForShader(int shader) { return TruncToInt(0.5 * shader); }
