#include "cli/CommandRunner.h"

#include <cstdlib>

#include "cli/StatusText.h"
#include "cli/Utf8.h"

namespace {
CommandAnswer Answer(int code, std::string out, std::string err = "") { return {code, std::move(out), std::move(err)}; }

std::string Quoted(const std::wstring& text) { return "\"" + Utf8::FromWide(text) + "\""; }

std::optional<std::string> OutsideRange(const char* what, const std::optional<int>& value, const SliderRange& range) {
    if (!value || (*value >= range.min && *value <= range.max)) return std::nullopt;
    return std::string(what) + " " + std::to_string(*value) + " MHz is outside its slider's " +
           std::to_string(range.min) + " to " + std::to_string(range.max) + " MHz\n";
}

// Each GPU must run what was asked: a clock the driver did not take reads back as before.
bool CardRuns(const CardStatus& status, const ConsoleCommand& asked, int memoryFactor) {
    const auto near = [](const std::optional<int>& read, const std::optional<int>& want, int slack) {
        return !want || (read && std::abs(*read - *want) <= slack);
    };
    for (const GpuStatus& gpu : status.gpus) {
        if (!near(gpu.core, asked.core, 0) || !near(gpu.memoryShown, asked.memory, memoryFactor) ||
            !near(gpu.shader, asked.shader, 0))
            return false;
        if (!asked.fan) continue;
        if (asked.fan->mode == FanMode::Fixed && (gpu.fanMode != FanMode::Fixed || gpu.fanPercent != asked.fan->percent))
            return false;
        if (asked.fan->mode != FanMode::Fixed && gpu.fanMode == FanMode::Fixed) return false;
    }
    return true;
}

CommandAnswer RunApply(const ConsoleCommand& command, ConsoleTarget& target) {
    const std::optional<ProfileFile::Limits> limits = target.Limits();
    if (!limits) return Answer(ExitCode::kNoCard, "", "the card's default clocks cannot be read\n");
    for (const std::optional<std::string>& problem :
         {OutsideRange("core", command.core, limits->core), OutsideRange("memory", command.memory, limits->memoryShown),
          OutsideRange("shader", command.shader, limits->shader)})
        if (problem) return Answer(ExitCode::kBadUsage, "", *problem);
    std::string whyNot;
    if (command.fan && command.fan->mode == FanMode::Curve && !target.CurveAvailable(whyNot))
        return Answer(ExitCode::kBadUsage, "", whyNot + "\n");
    target.Apply(command.core, command.memory, command.shader, command.fan);
    if (!CardRuns(target.Status(), command, limits->memoryFactor))
        return Answer(ExitCode::kRefused, "", "the driver refused the new clocks or fan\n");
    return Answer(ExitCode::kDone, "applied\n");
}

CommandAnswer RunProfile(const ConsoleCommand& command, ConsoleTarget& target) {
    std::vector<std::wstring> names;
    switch (target.SwitchToProfile(command.operand, names)) {
    case ProfileMatch::Applied: return Answer(ExitCode::kDone, "applied " + Quoted(command.operand) + "\n");
    case ProfileMatch::NotFound: break;
    case ProfileMatch::Ambiguous: {
        std::string list;
        for (const std::wstring& name : names) list += (list.empty() ? "" : ", ") + Quoted(name);
        return Answer(ExitCode::kBadUsage, "", Quoted(command.operand) + " matches several profiles: " + list + "\n");
    }
    }
    return Answer(ExitCode::kBadUsage, "", "There is no profile named " + Quoted(command.operand) + " for this card.\n");
}

CommandAnswer RunImport(const ConsoleCommand& command, ConsoleTarget& target, const std::string& fileText) {
    const std::string file = Utf8::FromWide(command.operand);
    const ProfileFile::Imported imported = ProfileFile::Import(fileText, target.Limits());
    if (imported.problem) {
        const std::string where = imported.problem->line ? file + ": line " + std::to_string(imported.problem->line)
                                                         : file;
        return Answer(ExitCode::kBadUsage, "", where + ": " + imported.problem->reason + "; nothing was changed\n");
    }
    size_t excess = 0;
    const std::optional<ProfileList> merged =
        ProfileFile::Merge(target.Profiles(), imported.profiles, command.replace, excess);
    if (!merged)
        return Answer(ExitCode::kBadUsage, "",
                      file + ": line " + std::to_string(imported.sectionLines[excess]) +
                          ": the list would hold more than 64 profiles; nothing was changed\n");
    target.StoreProfiles(*merged);
    return Answer(ExitCode::kDone, "imported " + std::to_string(imported.profiles.size()) + " profiles, " +
                                       std::to_string(merged->size()) + " in the list\n");
}
}  // namespace

CommandAnswer UsageProblem(const std::string& problem) { return Answer(ExitCode::kBadUsage, "", problem + "\n"); }

CommandAnswer RunCommand(const ConsoleCommand& command, ConsoleTarget& target, const std::string& fileText) {
    if (command.kind == CommandKind::Help) return Answer(ExitCode::kDone, HelpText());
    if (!target.CardPresent()) return Answer(ExitCode::kNoCard, "", "no card: the driver is missing or names no GPU\n");
    switch (command.kind) {
    case CommandKind::Status: {
        const CardStatus status = target.Status();
        return Answer(ExitCode::kDone, command.json ? StatusText::Json(status) : StatusText::Table(status));
    }
    case CommandKind::Apply: return RunApply(command, target);
    case CommandKind::Reset: target.Reset(); return Answer(ExitCode::kDone, "reset\n");
    case CommandKind::Profile: return RunProfile(command, target);
    case CommandKind::Profiles: {
        const ProfileList profiles = target.Profiles();
        return Answer(ExitCode::kDone, command.json ? StatusText::ProfileJson(profiles) : StatusText::ProfileTable(profiles));
    }
    case CommandKind::Export: return Answer(ExitCode::kDone, ProfileFile::Export(target.Profiles()));
    case CommandKind::Import: return RunImport(command, target, fileText);
    case CommandKind::Help: break;
    }
    return Answer(ExitCode::kDone, HelpText());
}
