// Oskara.com, the console companion: each command goes to the running instance when there is
// one, else to the card and the store directly; the answer is printed and gives the exit code.
#include <windows.h>

#include <string>
#include <vector>

#include "app/ConsoleCard.h"
#include "app/ConsoleRequest.h"
#include "cli/CommandRunner.h"
#include "cli/ProfileFile.h"
#include "cli/Utf8.h"
#include "framework/OwnedHandle.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "store/RegistryStore.h"

namespace {
// A console shows wide text as it is; a pipe or a file gets the UTF-8 bytes.
void Print(DWORD stream, const std::string& text) {
    if (text.empty()) return;
    const HANDLE handle = GetStdHandle(stream);
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = Utf8::ToWide(text).value_or(L"?");
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

std::string ErrorText(const std::wstring& file, const char* what) {
    return Utf8::FromWide(file) + ": " + what + " (error " + std::to_string(GetLastError()) + ")\n";
}

// Up to one byte more than a file may hold, so that a longer one is told as such.
std::optional<std::string> ReadFileText(const std::wstring& path, std::string& problem) {
    CKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.Valid()) return problem = ErrorText(path, "cannot be read"), std::nullopt;
    std::string text(ProfileFile::kMaxBytes + 1, '\0');
    DWORD size = 0;
    if (!ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &size, nullptr))
        return problem = ErrorText(path, "cannot be read"), std::nullopt;
    text.resize(size);
    return text;
}

bool WriteFileText(const std::wstring& path, const std::string& text, std::string& problem) {
    CKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file.Valid() && WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size())
        return true;
    problem = ErrorText(path, "cannot be written");
    return false;
}

bool InstanceRunning() {
    CKernelHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, OSKARA_INSTANCE_MUTEX));
    return mutex.Valid() || FindWindowW(nullptr, OSKARA_WINDOW_TITLE);
}

CommandAnswer Run(const std::vector<std::wstring>& args, const ConsoleCommand& command) {
    std::string fileText, problem;
    if (command.kind == CommandKind::Import) {
        const std::optional<std::string> text = ReadFileText(command.operand, problem);
        if (!text) return {ExitCode::kBadUsage, "", problem};
        fileText = *text;
    }
    if (command.kind != CommandKind::Help && InstanceRunning()) {
        const std::optional<CommandAnswer> answer = ConsoleRequest::Send(OSKARA_WINDOW_TITLE, args, fileText);
        return answer ? *answer : CommandAnswer{ExitCode::kNoCard, "", "Oskara is running but did not answer\n"};
    }
    // The executable's name gives the settings key, as it does for the windowed program.
    CWinApp identity;
    identity.SetRegistryKey(L"Brenmar");
    CRegistryStore settings;
    settings.SetRoot(identity.RegistryPath());
    CConsoleCard card(settings);
    return RunCommand(command, card, fileText);
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::vector<std::wstring> args(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    const ParsedCommand parsed = ParseCommand(args);
    CommandAnswer answer = parsed.command ? Run(args, *parsed.command) : UsageProblem(parsed.problem);
    std::string problem;
    if (parsed.command && parsed.command->kind == CommandKind::Export && answer.exitCode == ExitCode::kDone) {
        if (WriteFileText(parsed.command->operand, answer.out, problem))
            answer.out = "exported to " + Utf8::FromWide(parsed.command->operand) + "\n";
        else
            answer = {ExitCode::kBadUsage, "", problem};
    }
    Print(STD_OUTPUT_HANDLE, answer.out);
    std::string err;
    for (size_t at = 0; at < answer.err.size();) {
        const size_t end = answer.err.find('\n', at);
        err += "oskara: " + answer.err.substr(at, end == std::string::npos ? std::string::npos : end - at + 1);
        at = end == std::string::npos ? answer.err.size() : end + 1;
    }
    Print(STD_ERROR_HANDLE, err);
    return answer.exitCode;
}
