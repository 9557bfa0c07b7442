#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/CommandRunner.h"

// A command handed to the running instance and its answer, as the bytes of one WM_COPYDATA each
// way. The request names the window the answer goes to; an import carries the file's text, so
// the instance never opens a path relative to the console's folder.
namespace ConsoleWire {

// Far above an import file of 1 MB and any arguments; anything longer is no request.
inline constexpr size_t kMaxBytes = 2 * 1024 * 1024;

struct Request {
    uint64_t replyWindow = 0;
    std::vector<std::wstring> args;
    std::string fileText;
};

std::string EncodeRequest(const Request& request);
std::optional<Request> DecodeRequest(const std::string& bytes);
std::string EncodeAnswer(const CommandAnswer& answer);
std::optional<CommandAnswer> DecodeAnswer(const std::string& bytes);

}  // namespace ConsoleWire
