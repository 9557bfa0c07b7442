#pragma once
// The simulated driver: the query entry over a simulated card, and what tests may inspect.
// One card per process, as with a loaded library; state changes last until the next Load.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sim/driver/SimCard.h"

namespace simdriver {

// Statuses the simulated driver answers with besides those a card file asks for.
constexpr int32_t kStatusError = -1;
constexpr int32_t kStatusNotInitialized = -4;
constexpr int32_t kStatusInvalidArgument = -5;
constexpr int32_t kStatusEndEnumeration = -7;
constexpr int32_t kStatusInvalidHandle = -8;
constexpr int32_t kStatusIncompatibleVersion = -9;
constexpr int32_t kStatusNotSupported = -104;

// One call as the journal shows it.
struct SimCall {
    static constexpr int kNoGpu = -1;       // the call takes no GPU handle
    static constexpr int kUnknownGpu = -2;  // it took one the card does not know
    std::string fn;
    int gpu = kNoGpu;
    int32_t status = 0;
    std::vector<std::pair<std::string, std::string>> fields;  // values as JSON text

    // The JSON text of a field; empty when the call has no such field.
    std::string Field(const std::string& key) const;
    std::string Json() const;
};

// The library's only export.
void* QueryInterface(uint32_t id);

// Starts afresh (uninitialised, empty call list) on this card.
void Load(const SimCard& card);
void LoadText(const std::string& cardText);
// The card of OSKARA_SIM_CARD (default card when unset or unreadable), journal OSKARA_SIM_JOURNAL.
void LoadFromEnvironment();

// The card as the calls have left it.
const SimCard& Card();
const std::vector<SimCall>& Calls();
size_t CallCount(const std::string& fn);
void ClearCalls();
// Bytes of the last record a function received (before it answered) and answered with.
std::vector<uint8_t> ReceivedRecord(const std::string& fn);
std::vector<uint8_t> AnsweredRecord(const std::string& fn);

// What the environment says, and a file path as this platform can open it.
std::string EnvironmentVariable(const char* name);
std::string NativePath(const std::string& path);
// A file's text, at most 1 MiB; empty when it cannot be read.
std::string ReadTextFile(const std::string& path);
// The clock test's delay, and its crash: the process ends at once, skipping every clean-up, with
// exit code 3.
void WaitMilliseconds(uint32_t ms);
[[noreturn]] void EndProcessAtOnce();
// The status a "fail <name> <status>" line of the file OSKARA_SIM_FAULTS gives this call, read
// afresh at every call, so a test can make calls fail from a moment of its choosing on.
std::optional<int32_t> LiveFailure(const std::string& fn);

}  // namespace simdriver
