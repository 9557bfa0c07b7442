#include "cli/ConsoleWire.h"

#include "cli/Utf8.h"

namespace ConsoleWire {
namespace {
constexpr char kRequestMark[] = "OSKARA-COMMAND-1";
constexpr char kAnswerMark[] = "OSKARA-ANSWER-1";

// The next field up to its NUL; nullopt when none ends before the bytes do.
std::optional<std::string> Field(const std::string& bytes, size_t& at) {
    const size_t end = bytes.find('\0', at);
    if (end == std::string::npos) return std::nullopt;
    std::string field = bytes.substr(at, end - at);
    at = end + 1;
    return field;
}

std::optional<uint64_t> Number(const std::optional<std::string>& field) {
    if (!field || field->empty() || field->size() > 19) return std::nullopt;
    uint64_t value = 0;
    for (char c : *field) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return value;
}

void Put(std::string& bytes, const std::string& field) {
    bytes += field;
    bytes += '\0';
}
}  // namespace

std::string EncodeRequest(const Request& request) {
    std::string bytes;
    Put(bytes, kRequestMark);
    Put(bytes, std::to_string(request.replyWindow));
    Put(bytes, std::to_string(request.args.size()));
    for (const std::wstring& arg : request.args) Put(bytes, Utf8::FromWide(arg));
    return bytes + request.fileText;
}

std::optional<Request> DecodeRequest(const std::string& bytes) {
    if (bytes.size() > kMaxBytes) return std::nullopt;
    size_t at = 0;
    if (Field(bytes, at) != std::optional<std::string>(kRequestMark)) return std::nullopt;
    Request request;
    const std::optional<uint64_t> window = Number(Field(bytes, at)), count = Number(Field(bytes, at));
    if (!window || !count || *count > 64) return std::nullopt;
    request.replyWindow = *window;
    for (uint64_t i = 0; i < *count; ++i) {
        const std::optional<std::string> field = Field(bytes, at);
        const std::optional<std::wstring> arg = field ? Utf8::ToWide(*field) : std::nullopt;
        if (!arg) return std::nullopt;
        request.args.push_back(*arg);
    }
    request.fileText = bytes.substr(at);
    return request;
}

std::string EncodeAnswer(const CommandAnswer& answer) {
    std::string bytes;
    Put(bytes, kAnswerMark);
    Put(bytes, std::to_string(answer.exitCode));
    Put(bytes, std::to_string(answer.out.size()));
    return bytes + answer.out + answer.err;
}

std::optional<CommandAnswer> DecodeAnswer(const std::string& bytes) {
    size_t at = 0;
    if (Field(bytes, at) != std::optional<std::string>(kAnswerMark)) return std::nullopt;
    const std::optional<uint64_t> code = Number(Field(bytes, at)), outSize = Number(Field(bytes, at));
    if (!code || *code > 255 || !outSize || *outSize > bytes.size() - at) return std::nullopt;
    return CommandAnswer{static_cast<int>(*code), bytes.substr(at, *outSize), bytes.substr(at + *outSize)};
}

}  // namespace ConsoleWire
