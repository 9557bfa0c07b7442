#pragma once
#include <cstdint>
#include <optional>

// On these cards the shader clock runs at twice the core clock, so moving either slider moves
// the other.
bool CouplesCoreAndShader(uint16_t deviceId);
int ShaderForCore(int core);
int CoreForShader(int shader);

// The highest each clock slider's range grows to, in slider units (memory as shown).
struct ClockCeilings {
    int core, memory, shader;
    bool tied;  // the shader slider follows the core slider and the other way round
};

// From the card's default clocks (memory as shown) and its device id, when known. A card whose
// shader clock is 0 has none to tie. On a tied pair neither grows to where the other could not
// follow at 2:1.
ClockCeilings ClockRangeCeilings(double core, double memoryShown, double shader, std::optional<uint16_t> deviceId);
