#pragma once
#include <cstdint>

#include "gpu/Card.h"

// The guard against a restore that crashes the machine again: the rules, apart from the registry
// and the card that feed them.
namespace CrashGuard {

// What marks the session: any clock above the card's default for it.
bool AboveDefaults(const CardClocks& clocks, const CardClocks& defaults);

enum class Start { AsUsual, AfterCrash, AfterDriverChange };

// guardOn: "CrashGuard" is not 0. markFound: the last session left "OverclockRunning" set. The
// driver versions are 0 when unknown; only two known, different ones are a change.
Start AtStart(bool guardOn, bool markFound, uint32_t lastDriver, uint32_t driverNow);

}  // namespace CrashGuard
