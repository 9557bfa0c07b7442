#include "cli/StatusText.h"

#include <cwchar>

#include "cli/Utf8.h"
#include "gpu/FanPosition.h"

namespace StatusText {
namespace {
const char* ModeWord(FanMode mode) {
    switch (mode) {
    case FanMode::Fixed: return "fixed";
    case FanMode::Automatic: return "auto";
    case FanMode::Curve: break;
    }
    return "curve";
}

std::string JsonNumber(const std::optional<int>& value) { return value ? std::to_string(*value) : "null"; }

std::string DriverText(uint32_t version) {
    const std::string cents = std::to_string(version % 100);
    return std::to_string(version / 100) + "." + (cents.size() == 1 ? "0" : "") + cents;
}

std::string Cell(const std::string& text, size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string TextOr(const std::optional<int>& value, const char* unit) {
    return value ? std::to_string(*value) + unit : "-";
}

std::wstring NameOf(const PROFILE& profile) { return std::wstring(profile.name, wcsnlen(profile.name, 64)); }

std::string FanText(const PROFILE& profile) {
    return IsAutomaticFan(profile.fan) ? "auto" : std::to_string(profile.fan) + " %";
}
}  // namespace

std::string JsonString(const std::wstring& text) {
    std::string out = "\"";
    for (char c : Utf8::FromWide(text)) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            static const char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Table(const CardStatus& status) {
    std::string text = "Card     " + Utf8::FromWide(status.name) + " (" +
                       (status.key.empty() ? std::string("unknown") : Utf8::FromWide(status.key)) + "), driver " +
                       (status.driverVersion ? DriverText(status.driverVersion) : std::string("unknown")) + "\n";
    text += "Profile  " + (status.profile ? Utf8::FromWide(*status.profile) : std::string("-")) + "\n";
    if (status.tempGuardActed)
        text += "Guard    defaults put back (too hot) at " + Utf8::FromWide(*status.tempGuardActed) + "\n";
    text += "GPU  Temp    Core      Memory    Shader    Fan\n";
    for (const GpuStatus& gpu : status.gpus) {
        const std::string fan = TextOr(gpu.fanPercent, " %") + " " + (gpu.fanMode ? ModeWord(*gpu.fanMode) : "-");
        text += Cell(std::to_string(gpu.index), 5) + Cell(TextOr(gpu.celsius, " C"), 8) +
                Cell(TextOr(gpu.core, " MHz"), 10) + Cell(TextOr(gpu.memoryShown, " MHz"), 10) +
                Cell(TextOr(gpu.shader, " MHz"), 10) + fan + "\n";
    }
    return text;
}

std::string Json(const CardStatus& status) {
    std::string json = "{\"format\":1,\"name\":" + JsonString(status.name) + ",\"card\":" +
                       (status.key.empty() ? "null" : JsonString(status.key)) + ",\"driver_version\":" +
                       (status.driverVersion ? "\"" + DriverText(status.driverVersion) + "\"" : std::string("null")) +
                       ",\"gpus\":[";
    for (size_t i = 0; i < status.gpus.size(); ++i) {
        const GpuStatus& gpu = status.gpus[i];
        json += (i ? ",{\"gpu\":" : "{\"gpu\":") + std::to_string(gpu.index) +
                ",\"temperature_c\":" + JsonNumber(gpu.celsius) + ",\"core_mhz\":" + JsonNumber(gpu.core) +
                ",\"memory_mhz\":" + JsonNumber(gpu.memoryShown) + ",\"shader_mhz\":" + JsonNumber(gpu.shader) +
                ",\"fan_percent\":" + JsonNumber(gpu.fanPercent) + ",\"fan_mode\":" +
                (gpu.fanMode ? "\"" + std::string(ModeWord(*gpu.fanMode)) + "\"" : std::string("null")) + "}";
    }
    return json + "],\"profile\":" + (status.profile ? JsonString(*status.profile) : std::string("null")) +
           ",\"temp_guard_acted\":" + (status.tempGuardActed ? JsonString(*status.tempGuardActed) : std::string("null")) +
           "}\n";
}

std::string ProfileTable(const ProfileList& profiles) {
    std::string text = "Name                                                             Core      Memory    Shader    Fan\n";
    for (const PROFILE& profile : profiles)
        text += Cell(Utf8::FromWide(NameOf(profile)), 65) + Cell(std::to_string(profile.core), 10) +
                Cell(std::to_string(profile.memory), 10) + Cell(std::to_string(profile.shader), 10) +
                FanText(profile) + "\n";
    return text;
}

std::string ProfileJson(const ProfileList& profiles) {
    std::string json = "{\"format\":1,\"profiles\":[";
    for (size_t i = 0; i < profiles.size(); ++i) {
        const PROFILE& p = profiles[i];
        json += (i ? ",{\"name\":" : "{\"name\":") + JsonString(NameOf(p)) + ",\"core_mhz\":" + std::to_string(p.core) +
                ",\"memory_mhz\":" + std::to_string(p.memory) + ",\"shader_mhz\":" + std::to_string(p.shader) +
                ",\"fan_percent\":" + (IsAutomaticFan(p.fan) ? std::string("null") : std::to_string(p.fan)) +
                ",\"fan_mode\":" + (IsAutomaticFan(p.fan) ? "\"auto\"" : "\"fixed\"") + "}";
    }
    return json + "]}\n";
}

}  // namespace StatusText
