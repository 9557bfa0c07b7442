#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "gpu/Card.h"

// The decisions of start-up, apart from the platform calls that feed them.
namespace StartupRules {

// True when an argument (not the program's own path) contains "-s", a profile name aside.
bool HasStartHiddenSwitch(const std::wstring& commandLine);

// "-p NAME" (NAME may be quoted) asks for a profile; the first one named counts. A bare "-s" or
// "-p" where a name should be is no name.
struct StartRequest {
    bool startHidden = false;
    std::optional<std::wstring> profileName;
};
StartRequest ParseStartRequest(const std::wstring& commandLine);

// The arguments of a command line: everything after the program's path, as Windows splits it.
std::wstring ArgumentsOf(const std::wstring& commandLine);

// A stored card key that is set and differs from a known current one.
bool IsCardChange(const std::wstring& lastCard, const std::wstring& cardKey);

struct LastApplied {
    uint32_t core, memory, shader, fan;
};

// What "LastFan" reads as when it was never stored; any fan above 255 is no stored fan.
inline constexpr uint32_t kNoLastFan = 0xFFFFFFFF;
inline constexpr uint32_t kMaxRestorableMhz = kMaxCardMhz;

struct RestorePlan {
    bool restore = false;       // the restore runs (the card is read back after it)
    bool setClocks = false;
    bool setFan = false;
    bool automaticFan = false;  // else fixed at fanPercent
    double core = 0, memory = 0, shader = 0;
    int fanPercent = 0;
};

RestorePlan PlanRestore(const LastApplied& last, const std::wstring& lastCard, const std::wstring& cardKey,
                        uint32_t restoreOC, bool ctrlHeld, bool cardHasShaderClock);

}  // namespace StartupRules
