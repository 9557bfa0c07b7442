#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "cli/ConsoleWire.h"

// A console command handed to the running instance's tray window as WM_COPYDATA, and its answer
// sent back the same way to a message-only window of the console, which waits for it.
namespace ConsoleRequest {

inline constexpr ULONG_PTR kRequestTag = 0x4F534B43, kAnswerTag = 0x4F534B41;
// The tray window's answer once it sent the command's answer back.
inline constexpr LRESULT kAnswered = 1;

// The command's answer; nullopt when no instance answered.
std::optional<CommandAnswer> Send(const wchar_t* windowTitle, const std::vector<std::wstring>& args,
                                  const std::string& fileText);

// The request, or nullopt when the data is not one.
std::optional<ConsoleWire::Request> Decode(const COPYDATASTRUCT& data);
bool Reply(uint64_t replyWindow, const CommandAnswer& answer);

}  // namespace ConsoleRequest
