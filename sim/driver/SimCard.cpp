#include "sim/driver/SimCard.h"

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "gpu/DriverInterface.h"

namespace simdriver {
namespace {

using Words = std::vector<std::string>;

// Plain splitting, not streams: the library loads into the program, and the streams' locale
// start-up would stay resident there.
Words Split(const std::string& text, char separator) {
    Words parts;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find(separator, start), text.size());
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool ParseUnsigned(const std::string& text, uint64_t max, uint64_t& value, int base = 0) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long long parsed = std::strtoull(text.c_str(), &end, base);
    if (errno != 0 || *end != '\0' || parsed > max) return false;
    value = parsed;
    return true;
}

bool ParseU32(const std::string& text, uint32_t& value, uint32_t max = 0xFFFFFFFFu) {
    uint64_t parsed;
    if (!ParseUnsigned(text, max, parsed)) return false;
    value = static_cast<uint32_t>(parsed);
    return true;
}

bool ParseHex(const std::string& text, uint32_t max, uint32_t& value) {
    uint64_t parsed;
    if (!ParseUnsigned(text, max, parsed, 16)) return false;
    value = static_cast<uint32_t>(parsed);
    return true;
}

bool ParseStatus(const std::string& text, int32_t& value) {
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 0);
    if (text.empty() || errno != 0 || *end != '\0' || parsed == 0 || parsed < INT32_MIN ||
        parsed > INT32_MAX)
        return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

bool ParseNumber(const std::string& text, double& value) {
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

// "code:default" or "code:default:current", all decimal kHz.
bool ParseDomain(const std::string& text, SimDomain& domain) {
    const Words parts = Split(text, ':');
    if (parts.size() < 2 || parts.size() > 3) return false;
    if (!ParseU32(parts[0], domain.code) || !ParseU32(parts[1], domain.defaultKhz)) return false;
    domain.currentKhz = domain.defaultKhz;
    return parts.size() == 2 || ParseU32(parts[2], domain.currentKhz);
}

bool ParseInterfaceId(const std::string& text, uint32_t& id) {
    for (const DRIVER_INTERFACE& entry : kDriverInterfaces) {
        if (entry.name && text == entry.name) {
            id = entry.id;
            return true;
        }
    }
    return text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
           ParseU32(text, id);
}

SimGpu DefaultGpu() {
    SimGpu gpu;
    gpu.levels[1] = {{0, 300000, 300000}, {4, 100000, 100000}, {7, 600000, 600000}};
    gpu.levels[2] = {{0, 450000, 450000}, {4, 500000, 500000}, {7, 900000, 900000}};
    gpu.levels[3] = {{0, 700000, 700000}, {4, 1000000, 1000000}, {7, 1400000, 1400000}};
    gpu.coolers = {{40, 40, kAutomaticPolicy, kAutomaticPolicy}};
    return gpu;
}

Words SplitWords(const std::string& line) {
    Words words;
    const std::string text = line.substr(0, line.find('#'));
    const auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    for (auto at = text.begin(); at != text.end();) {
        at = std::find_if_not(at, text.end(), space);
        const auto end = std::find_if(at, text.end(), space);
        if (at != end) words.emplace_back(at, end);
        at = end;
    }
    return words;
}

// Applies one line that describes a GPU; a malformed line changes nothing and gives false.
bool ApplyGpuLine(const Words& w, SimGpu& gpu, bool& levelsReplaced) {
    const std::string& key = w[0];
    const size_t n = w.size() - 1;
    if (key == "pci" && n >= 2 && n <= 4) {
        uint32_t vendor, device, subsystem = gpu.subsystem, revision = gpu.revision;
        if (!ParseHex(w[1], 0xFFFF, vendor) || !ParseHex(w[2], 0xFFFF, device)) return false;
        if (n >= 3 && !ParseHex(w[3], 0xFFFFFFFFu, subsystem)) return false;
        if (n >= 4 && !ParseHex(w[4], 0xFFFFFFFFu, revision)) return false;
        gpu.vendor = static_cast<uint16_t>(vendor);
        gpu.device = static_cast<uint16_t>(device);
        gpu.subsystem = subsystem;
        gpu.revision = revision;
        return true;
    }
    if (key == "memtype" && n == 1) {
        if (w[1] == "unreadable") {
            gpu.memoryTypeReadable = false;
            return true;
        }
        if (!ParseU32(w[1], gpu.memoryType)) return false;
        gpu.memoryTypeReadable = true;
        return true;
    }
    if (key == "level" && n >= 1 && n - 1 <= kMaxSimDomains) {
        uint32_t level;
        std::vector<SimDomain> domains(n - 1);
        if (!ParseU32(w[1], level)) return false;
        for (size_t i = 0; i < domains.size(); ++i)
            if (!ParseDomain(w[i + 2], domains[i])) return false;
        if (!levelsReplaced) gpu.levels.clear();
        levelsReplaced = true;
        gpu.levels[level] = domains;
        return true;
    }
    if (key == "coolers" && n == 1) {
        uint32_t count;
        if (!ParseU32(w[1], count, kMaxSimCoolers)) return false;
        gpu.coolers.resize(count, SimCooler{40, 40, kAutomaticPolicy, kAutomaticPolicy});
        return true;
    }
    if (key == "cooler" && (n == 3 || n == 4)) {
        uint32_t index, level, defaultPolicy, policy;
        if (!ParseU32(w[1], index) || index >= gpu.coolers.size() || !ParseU32(w[2], level, 100) ||
            !ParseU32(w[3], defaultPolicy))
            return false;
        policy = defaultPolicy;
        if (n == 4 && !ParseU32(w[4], policy)) return false;
        gpu.coolers[index] = {level, level, defaultPolicy, policy};
        return true;
    }
    if (key == "temp" && n == 1) return ParseNumber(w[1], gpu.idleCelsius);
    if (key == "thermal" && n == 2) {
        double heat, cooling;
        if (!ParseNumber(w[1], heat) || !ParseNumber(w[2], cooling)) return false;
        gpu.heatPerPercent = heat;
        gpu.coolingPerPercent = cooling;
        return true;
    }
    if (key == "sensors" && n == 1) return ParseU32(w[1], gpu.sensors, kMaxSimSensors);
    if (key == "fail" && n == 2) {
        int32_t status;
        if (!IsSimFunctionName(w[1]) || !ParseStatus(w[2], status)) return false;
        gpu.failures[w[1]] = status;
        return true;
    }
    return false;
}

bool ParseMhzAsKhz(const std::string& text, uint32_t& khz) {
    uint32_t mhz;
    if (!ParseU32(text, mhz, UINT32_MAX / 1000)) return false;
    khz = mhz * 1000;
    return true;
}

bool ParseClockLimits(const Words& w, SimClockLimits& limits) {
    return w.size() == 5 && ParseMhzAsKhz(w[2], limits.coreKhz) && ParseMhzAsKhz(w[3], limits.memoryKhz) &&
           ParseMhzAsKhz(w[4], limits.shaderKhz);
}

// "clocktest <what> <values>": the limits, the failures near them, the crash and the delay.
bool ApplyClockTestLine(const Words& w, SimCard& card) {
    const std::string& what = w[1];
    SimClockLimits limits;
    if ((what == "limits" || what == "together") && ParseClockLimits(w, limits)) {
        (what == "limits" ? card.clockTestLimits : card.clockTestTogether) = limits;
        return true;
    }
    double chance;
    uint32_t value;
    if (what == "flips" && w.size() == 4 && ParseNumber(w[2], chance) && chance >= 0.0 && chance <= 1.0 &&
        ParseU32(w[3], value)) {
        card.clockTestFlipChance = chance;
        card.clockTestFlipSeed = value;
        return true;
    }
    if (what == "crash" && w.size() == 3 && ParseMhzAsKhz(w[2], value)) {
        card.clockTestCrashCoreKhz = value;
        return true;
    }
    constexpr uint32_t kLongestDelayMs = 60000;
    if (what == "delay" && w.size() == 3 && ParseU32(w[2], value, kLongestDelayMs)) {
        card.clockTestDelayMs = value;
        return true;
    }
    return false;
}

// Applies one line about the whole card; false when the key is not one or the line is malformed.
bool ApplyCardLine(const Words& w, SimCard& card) {
    const std::string& key = w[0];
    const size_t n = w.size() - 1;
    if (key == "group" && n >= 1) {
        std::vector<uint32_t> members(n);
        for (size_t i = 0; i < n; ++i)
            if (!ParseU32(w[i + 1], members[i], kMaxGroupMember)) return false;
        card.groups.push_back(members);
        return true;
    }
    if (key == "driver" && n == 1) {
        if (w[1] == "unreadable") {
            card.driverVersionReadable = false;
            return true;
        }
        if (!ParseU32(w[1], card.driverVersion)) return false;
        card.driverVersionReadable = true;
        return true;
    }
    if (key == "withhold" && n >= 1) {
        std::vector<uint32_t> ids(n);
        for (size_t i = 0; i < n; ++i)
            if (!ParseInterfaceId(w[i + 1], ids[i])) return false;
        card.withheld.insert(ids.begin(), ids.end());
        return true;
    }
    if (key == "fail" && n == 2) {
        int32_t status;
        if (!IsSimFunctionName(w[1]) || !ParseStatus(w[2], status)) return false;
        card.failures[w[1]] = status;
        return true;
    }
    if (key == "clocktest" && n >= 2) return ApplyClockTestLine(w, card);
    if (key == "clocktest" && n == 1) {
        if (w[1] == "unsupported") {
            card.clockTestSupported = false;
            return true;
        }
        double factor;
        if (!ParseNumber(w[1], factor) || factor < 1.0) return false;
        card.clockTestSupported = true;
        card.clockTestFactor = factor;
        return true;
    }
    return false;
}

}  // namespace

bool IsSimFunctionName(const std::string& name) {
    for (const DRIVER_INTERFACE& entry : kDriverInterfaces)
        if (entry.name && name == entry.name) return true;
    return false;
}

SimCard DefaultCard() {
    SimCard card;
    card.gpus.push_back(DefaultGpu());
    return card;
}

SimCard ParseCard(const std::string& text, size_t* ignoredLines) {
    std::vector<Words> lines;
    for (const std::string& line : Split(text, '\n')) {
        Words words = SplitWords(line);
        if (!words.empty()) lines.push_back(std::move(words));
    }

    // The number of GPUs first: every other line may address them.
    uint32_t gpuCount = 1;
    for (const Words& w : lines) {
        uint32_t count;
        if (w[0] == "gpus" && w.size() == 2 && ParseU32(w[1], count, kMaxSimGpus)) gpuCount = count;
    }
    SimCard card = DefaultCard();
    card.gpus.assign(gpuCount, DefaultGpu());
    std::vector<bool> levelsReplaced(gpuCount, false);

    constexpr long kAllGpus = -1, kNoGpu = -2;
    long scope = kAllGpus;
    size_t ignored = 0;
    for (const Words& w : lines) {
        if (w[0] == "gpus") {
            uint32_t count;
            ignored += !(w.size() == 2 && ParseU32(w[1], count, kMaxSimGpus));
            continue;
        }
        if (w[0] == "gpu") {
            uint32_t index;
            if (w.size() == 2 && w[1] == "all") {
                scope = kAllGpus;
            } else if (w.size() == 2 && ParseU32(w[1], index)) {
                // A section for a GPU the card does not have: its lines change nothing.
                scope = index < gpuCount ? static_cast<long>(index) : kNoGpu;
            } else {
                ++ignored;
            }
            continue;
        }
        // A failure outside a section concerns the whole card.
        if ((w[0] != "fail" || scope == kAllGpus) && ApplyCardLine(w, card)) continue;
        bool applied = false, targeted = false;
        for (uint32_t i = 0; i < gpuCount; ++i) {
            if (scope != kAllGpus && static_cast<long>(i) != scope) continue;
            targeted = true;
            bool replaced = levelsReplaced[i];
            if (ApplyGpuLine(w, card.gpus[i], replaced)) {
                levelsReplaced[i] = replaced;
                applied = true;
            }
        }
        if (!targeted) {
            // Addresses no GPU: still tell a bad line from a good one.
            SimGpu standIn = DefaultGpu();
            standIn.coolers.resize(kMaxSimCoolers);
            bool replaced = false;
            applied = ApplyGpuLine(w, standIn, replaced);
        }
        ignored += !applied;
    }
    if (ignoredLines) *ignoredLines = ignored;
    return card;
}

int32_t SimTemperature(const SimGpu& gpu) {
    double overclock = 0.0;
    if (!gpu.levels.empty()) {
        for (const SimDomain& d : gpu.levels.rbegin()->second) {
            if (d.defaultKhz > 0 && d.currentKhz > d.defaultKhz)
                overclock += (double(d.currentKhz) - d.defaultKhz) * 100.0 / d.defaultKhz;
        }
    }
    double fan = 0.0;
    if (!gpu.coolers.empty())
        fan = double(gpu.coolers[0].level) - double(gpu.coolers[0].defaultLevel);
    double celsius = gpu.idleCelsius + gpu.heatPerPercent * overclock - gpu.coolingPerPercent * fan;
    celsius = std::clamp(celsius, -273.0, 1000.0);
    return static_cast<int32_t>(std::lround(celsius));
}

bool WithinClockTestFactor(uint32_t requestKhz, uint32_t defaultKhz, double factor) {
    return requestKhz >= defaultKhz / factor && requestKhz <= defaultKhz * factor;
}

}  // namespace simdriver
