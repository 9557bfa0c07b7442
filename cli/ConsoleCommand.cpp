#include "cli/ConsoleCommand.h"

#include "cli/Utf8.h"
#include "gpu/Card.h"
#include "store/Profile.h"

namespace {
struct CommandName {
    const wchar_t* word;
    CommandKind kind;
    bool takesJson, takesOperand;
};
constexpr CommandName kCommands[] = {
    {L"status", CommandKind::Status, true, false},   {L"apply", CommandKind::Apply, false, false},
    {L"reset", CommandKind::Reset, false, false},    {L"profile", CommandKind::Profile, false, true},
    {L"profiles", CommandKind::Profiles, true, false}, {L"export", CommandKind::Export, false, true},
    {L"import", CommandKind::Import, false, true},   {L"--help", CommandKind::Help, false, false},
    {L"help", CommandKind::Help, false, false},      {L"-h", CommandKind::Help, false, false},
};

std::string Quoted(const std::wstring& text) { return "\"" + Utf8::FromWide(text) + "\""; }

std::optional<int> WholeNumber(const std::wstring& text) {
    if (text.empty() || text.size() > 7) return std::nullopt;
    int number = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        number = number * 10 + (c - L'0');
    }
    return number;
}

std::optional<FanChoice> Fan(const std::wstring& text) {
    if (text == L"auto") return FanChoice{FanMode::Automatic, 0};
    if (text == L"curve") return FanChoice{FanMode::Curve, 0};
    const std::optional<int> percent = WholeNumber(text);
    if (!percent || *percent > 100) return std::nullopt;
    return FanChoice{FanMode::Fixed, *percent};
}

// One "--name value" (or "--name=value") of apply; the problem is set when it is refused.
void ApplyOption(ConsoleCommand& command, const std::wstring& name, const std::wstring& value, std::string& problem) {
    if (name == L"--fan") {
        command.fan = Fan(value);
        if (!command.fan) problem = "--fan takes a percent from 0 to 100, auto or curve, not " + Quoted(value);
        return;
    }
    std::optional<int>* clock = name == L"--core" ? &command.core : name == L"--memory" ? &command.memory
                              : name == L"--shader" ? &command.shader : nullptr;
    if (!clock) {
        problem = "apply takes no " + Quoted(name);
        return;
    }
    *clock = WholeNumber(value);
    if (!*clock || **clock == 0 || static_cast<uint32_t>(**clock) > kMaxCardMhz)
        problem = Utf8::FromWide(name) + " takes a clock in MHz, not " + Quoted(value);
}

void ParseApply(ConsoleCommand& command, const std::vector<std::wstring>& args, std::string& problem) {
    for (size_t i = 1; i < args.size() && problem.empty(); ++i) {
        std::wstring name = args[i], value;
        const size_t equals = name.find(L'=');
        if (equals != std::wstring::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            problem = Utf8::FromWide(name) + " lacks its value";
            return;
        }
        const bool twice = (name == L"--core" && command.core) || (name == L"--memory" && command.memory) ||
                           (name == L"--shader" && command.shader) || (name == L"--fan" && command.fan);
        if (twice) problem = Utf8::FromWide(name) + " is given twice";
        else ApplyOption(command, name, value, problem);
    }
}

void ParseRest(const CommandName& name, ConsoleCommand& command, const std::vector<std::wstring>& args,
               std::string& problem) {
    for (size_t i = 1; i < args.size() && problem.empty(); ++i) {
        const std::wstring& arg = args[i];
        if (name.takesJson && arg == L"--json" && !command.json) command.json = true;
        else if (command.kind == CommandKind::Import && arg == L"--replace" && !command.replace) command.replace = true;
        else if (name.takesOperand && command.operand.empty() && !arg.empty()) command.operand = arg;
        else problem = Utf8::FromWide(name.word) + " takes no " + Quoted(arg);
    }
    if (!problem.empty() || !name.takesOperand || !command.operand.empty()) return;
    problem = command.kind == CommandKind::Profile ? "profile needs the profile's name" : Utf8::FromWide(name.word) + " needs a file";
}
}  // namespace

ParsedCommand ParseCommand(const std::vector<std::wstring>& args) {
    if (args.empty()) return {std::nullopt, "no command given (oskara --help lists them)"};
    for (const CommandName& name : kCommands) {
        if (args[0] != name.word) continue;
        ConsoleCommand command;
        command.kind = name.kind;
        std::string problem;
        if (name.kind == CommandKind::Apply) ParseApply(command, args, problem);
        else ParseRest(name, command, args, problem);
        if (problem.empty() && command.kind == CommandKind::Profile && Utf8::Utf16Length(command.operand) > kProfileNameMax)
            problem = "a profile's name has at most 63 characters";
        if (!problem.empty()) return {std::nullopt, problem};
        return {command, ""};
    }
    return {std::nullopt, "unknown command " + Quoted(args[0]) + " (oskara --help lists them)"};
}

std::string HelpText() {
    return "Usage: oskara COMMAND [OPTIONS]\n"
           "  status [--json]          the card, each GPU's temperature, clocks and fan, the profile running\n"
           "  apply [--core MHz] [--memory MHz] [--shader MHz] [--fan PERCENT|auto|curve]\n"
           "                           puts the clocks (as the sliders show them) and the fan on the card;\n"
           "                           what is not named stays as the card runs it\n"
           "  reset                    the default clocks and the card's own fan control\n"
           "  profile NAME             activates and stores a profile, as -p does\n"
           "  profiles [--json]        lists the card's profiles\n"
           "  export FILE              writes the card's profiles to a text file\n"
           "  import FILE [--replace]  reads profiles from such a file: merged by name, or replacing the list\n"
           "Exit codes: 0 done, 1 no card, no driver or no answer from Oskara, 2 bad usage, an unknown\n"
           "profile or an unreadable file, 3 the driver refused a write.\n";
}
