#include <vector>

#include "ui/scan/ClockSearch.h"

// The settings texts of the clock scan: fields split by ';', clocks as whole kHz.
namespace {

constexpr uint32_t kMaxKhz = kMaxCardMhz * 1000u;
constexpr wchar_t kSeparator = L';';
constexpr size_t kStateFields = 13;
constexpr size_t kLastScanFields = 6;
constexpr uint32_t kMostPasses = 1000;
constexpr size_t kLongestWhen = 64;

const wchar_t* const kDomainWords[] = {L"core", L"shader", L"memory", L"together"};

// At most `fields` parts; the last one keeps any further separators.
std::vector<std::wstring> SplitFields(const std::wstring& text, size_t fields) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (parts.size() + 1 < fields) {
        const size_t end = text.find(kSeparator, start);
        if (end == std::wstring::npos) break;
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::optional<uint32_t> ParseNumber(const std::wstring& text, uint32_t max) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    uint64_t value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - L'0');
    }
    if (value > max) return std::nullopt;
    return static_cast<uint32_t>(value);
}

bool ParseFlag(const std::wstring& text, bool& flag) {
    const std::optional<uint32_t> value = ParseNumber(text, 1);
    if (value) flag = *value == 1;
    return value.has_value();
}

bool ParseInt(const std::wstring& text, uint32_t max, int& number) {
    const std::optional<uint32_t> value = ParseNumber(text, max);
    if (value) number = static_cast<int>(*value);
    return value.has_value();
}

bool ParseKhz(const std::wstring& text, uint32_t& khz) {
    const std::optional<uint32_t> value = ParseNumber(text, kMaxKhz);
    if (value) khz = *value;
    return value.has_value();
}

// Three clocks, ',' between them.
bool ParseTriple(const std::wstring& text, uint32_t (&khz)[3]) {
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const size_t end = i < 2 ? text.find(L',', start) : text.size();
        if (end == std::wstring::npos || !ParseKhz(text.substr(start, end - start), khz[i])) return false;
        start = end + 1;
    }
    return true;
}

std::wstring Triple(const uint32_t (&khz)[3]) {
    return std::to_wstring(khz[0]) + L"," + std::to_wstring(khz[1]) + L"," + std::to_wstring(khz[2]);
}

}  // namespace

std::wstring ScanStateText(const ScanState& s) {
    const std::wstring sep(1, kSeparator);
    const int domain = static_cast<int>(s.domain);
    const wchar_t* word = domain >= 0 && domain < 4 ? kDomainWords[domain] : L"?";
    return L"1" + sep + word + sep + std::to_wstring(s.candidateKhz) + sep + std::to_wstring(s.stepsUp) + sep +
           (s.climbing ? L"1" : L"0") + sep + std::to_wstring(s.lowestFailKhz) + sep + Triple(s.lastPassKhz) +
           sep + std::to_wstring(s.testsSent) + sep + std::to_wstring(s.passesInRow) + sep +
           std::to_wstring(s.togetherTry) + sep + Triple(s.defaultKhz) + sep + Triple(s.endKhz) + sep +
           (s.hasShader ? L"1" : L"0");
}

std::optional<ScanState> ParseScanState(const std::wstring& text) {
    const std::vector<std::wstring> f = SplitFields(text, kStateFields);
    if (f.size() != kStateFields || f[0] != L"1") return std::nullopt;
    ScanState s;
    int domain = 0;
    while (domain < 4 && f[1] != kDomainWords[domain]) ++domain;
    if (domain == 4) return std::nullopt;
    s.domain = static_cast<ScanDomain>(domain);
    constexpr uint32_t kMostCounted = 1000000;
    const bool parsed = ParseKhz(f[2], s.candidateKhz) && ParseInt(f[3], kMostCounted, s.stepsUp) &&
                        ParseFlag(f[4], s.climbing) && ParseKhz(f[5], s.lowestFailKhz) &&
                        ParseTriple(f[6], s.lastPassKhz) && ParseInt(f[7], kMostCounted, s.testsSent) &&
                        ParseInt(f[8], kMostCounted, s.passesInRow) &&
                        ParseInt(f[9], kMostCounted, s.togetherTry) && ParseTriple(f[10], s.defaultKhz) &&
                        ParseTriple(f[11], s.endKhz) && ParseFlag(f[12], s.hasShader);
    if (!parsed || !ScanStateConsistent(s)) return std::nullopt;
    return s;
}

std::wstring LastScanText(const LastScan& scan) {
    const std::wstring sep(1, kSeparator);
    return std::to_wstring(ScanKhz(scan.clocks.core)) + sep + std::to_wstring(ScanKhz(scan.clocks.memory)) + sep +
           std::to_wstring(ScanKhz(scan.clocks.shader)) + sep + std::to_wstring(scan.passes) + sep +
           std::to_wstring(scan.driverVersion) + sep + scan.when;
}

std::optional<LastScan> ParseLastScan(const std::wstring& text) {
    const std::vector<std::wstring> f = SplitFields(text, kLastScanFields);
    if (f.size() != kLastScanFields) return std::nullopt;
    uint32_t core, memory, shader;
    LastScan scan;
    if (!ParseKhz(f[0], core) || !ParseKhz(f[1], memory) || !ParseKhz(f[2], shader) || core == 0 ||
        memory == 0 || !ParseInt(f[3], kMostPasses, scan.passes) || scan.passes == 0)
        return std::nullopt;
    const std::optional<uint32_t> driver = ParseNumber(f[4], UINT32_MAX);
    if (!driver || f[5].empty() || f[5].size() > kLongestWhen) return std::nullopt;
    for (const wchar_t c : f[5])
        if (c < 0x20 || c == 0x7F) return std::nullopt;
    scan.clocks = {core / 1000.0, memory / 1000.0, shader / 1000.0};
    scan.driverVersion = *driver;
    scan.when = f[5];
    return scan;
}
