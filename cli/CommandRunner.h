#pragma once
#include <string>

#include "cli/ConsoleCommand.h"
#include "cli/ConsoleTarget.h"

// What a command gives back: the exit code, what goes to stdout (for export, the file's text)
// and the messages for stderr, one line each.
struct CommandAnswer {
    int exitCode = 0;
    std::string out, err;
};

namespace ExitCode {
inline constexpr int kDone = 0, kNoCard = 1, kBadUsage = 2, kRefused = 3;
}

// Runs one command on the target with the same rules wherever it runs. `fileText` is the import
// file's content, read by the caller.
CommandAnswer RunCommand(const ConsoleCommand& command, ConsoleTarget& target, const std::string& fileText);

// The message of a usage problem, as every command reports one.
CommandAnswer UsageProblem(const std::string& problem);
