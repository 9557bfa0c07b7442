#pragma once
#include <cstdint>

// On these cards the shader clock runs at twice the core clock, so moving either slider moves
// the other.
bool CouplesCoreAndShader(uint16_t deviceId);
int ShaderForCore(int core);
int CoreForShader(int shader);
