#pragma once
#include <optional>
#include <string>
#include <vector>

#include "monitor/MonitorSample.h"

// A command of the console companion, as its arguments name it. The clocks are in the sliders'
// units (memory as its slider shows it); their ranges are the card's, checked when it runs.
enum class CommandKind { Help, Status, Apply, Reset, Profile, Profiles, Export, Import };

struct FanChoice {
    FanMode mode = FanMode::Automatic;
    int percent = 0;  // Fixed only
};

struct ConsoleCommand {
    CommandKind kind = CommandKind::Help;
    bool json = false;
    std::optional<int> core, memory, shader;
    std::optional<FanChoice> fan;
    std::wstring operand;  // the profile's name or the file
    bool replace = false;
};

struct ParsedCommand {
    std::optional<ConsoleCommand> command;
    std::string problem;  // why the arguments are refused
};

// The arguments after the program's name.
ParsedCommand ParseCommand(const std::vector<std::wstring>& args);

std::string HelpText();
