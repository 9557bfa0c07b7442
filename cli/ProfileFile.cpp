#include "cli/ProfileFile.h"

#include <array>
#include <cwchar>

#include "cli/Utf8.h"
#include "gpu/Card.h"
#include "gpu/FanPosition.h"
#include "store/ProfileBook.h"

namespace ProfileFile {
namespace {
constexpr std::string_view kSection = "[profile]";
constexpr std::array<std::string_view, 5> kKeys{"name", "core", "memory", "shader", "fan"};
enum Key { kName, kCore, kMemory, kShader, kFan };

std::wstring NameOf(const PROFILE& profile) { return std::wstring(profile.name, wcsnlen(profile.name, 64)); }

// Quoted, so that spaces at either end survive; what UTF-8 cannot carry is escaped.
std::string QuotedName(const std::wstring& name) {
    std::string out = "\"";
    for (size_t i = 0; i < name.size(); ++i) {
        const wchar_t c = name[i];
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F || Utf8::IsLoneSurrogate(name, i)) {
            static const char kHex[] = "0123456789ABCDEF";
            const unsigned unit = static_cast<unsigned>(c) & 0xFFFF;
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) out += kHex[unit >> shift & 0xF];
        } else {
            // A surrogate pair is one code point: converted whole.
            const size_t units = c >= 0xD800 && c <= 0xDBFF ? 2 : 1;
            out += Utf8::FromWide(name.substr(i, units));
            i += units - 1;
        }
    }
    return out + "\"";
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A quoted name with its escapes, or the bare text as typed.
std::optional<std::wstring> ParseName(std::string_view value, std::string& reason) {
    if (value.empty() || value.front() != '"') return Utf8::ToWide(value);
    std::wstring name;
    size_t i = 1;
    for (; i < value.size() && value[i] != '"'; ++i) {
        if (value[i] != '\\') {
            size_t end = i + 1;
            while (end < value.size() && value[end] != '"' && value[end] != '\\') ++end;
            name += *Utf8::ToWide(value.substr(i, end - i));
            i = end - 1;
        } else if (i + 1 < value.size() && (value[i + 1] == '"' || value[i + 1] == '\\')) {
            name += static_cast<wchar_t>(value[++i]);
        } else if (i + 5 < value.size() && value[i + 1] == 'u') {
            unsigned unit = 0;
            for (size_t k = i + 2; k < i + 6; ++k) {
                const int digit = HexDigit(value[k]);
                if (digit < 0) return reason = "a \\u in the name is not followed by four hex digits", std::nullopt;
                unit = unit << 4 | static_cast<unsigned>(digit);
            }
            name += static_cast<wchar_t>(unit);
            i += 5;
        } else {
            return reason = "the name has an unknown escape", std::nullopt;
        }
    }
    if (i + 1 != value.size()) return reason = "the name's closing quote is missing or not at the end", std::nullopt;
    return name;
}

std::optional<int> ParseNumber(std::string_view value) {
    if (value.empty() || value.size() > 7) return std::nullopt;
    int number = 0;
    for (char c : value) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

std::string RangeText(const SliderRange& range) {
    return std::to_string(range.min) + " to " + std::to_string(range.max);
}

struct Section {
    PROFILE profile{};
    std::array<bool, kKeys.size()> seen{};
    int line = 0;
};

class Reader {
public:
    explicit Reader(const std::optional<Limits>& limits) : m_limits(limits) {}

    bool Line(std::string_view text, int number);
    bool End();
    Imported& Result() { return m_result; }

private:
    bool Fail(int line, std::string reason) {
        m_result.problem = Problem{line, std::move(reason)};
        return false;
    }
    bool Value(Key key, std::string_view value, int line);
    bool Clock(const char* what, int shown, const SliderRange* range, int line);
    bool Close();

    const std::optional<Limits>& m_limits;
    std::optional<Section> m_open;
    Imported m_result;
};

bool Reader::Line(std::string_view text, int number) {
    if (!Utf8::ToWide(text)) return Fail(number, "the line is not UTF-8");
    for (char c : text)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F)
            return Fail(number, "the line holds a control character");
    text = Trimmed(text);
    if (text.empty() || text.front() == '#') return true;
    if (text == kSection) {
        if (!Close()) return false;
        if (m_result.profiles.size() >= ProfileBook::kMaxProfiles)
            return Fail(number, "more than 64 profiles");
        m_open = Section{};
        m_open->line = number;
        return true;
    }
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) return Fail(number, "neither a [profile] line nor \"key = value\"");
    if (!m_open) return Fail(number, "a value before the first [profile] line");
    const std::string_view key = Trimmed(text.substr(0, equals));
    for (size_t k = 0; k < kKeys.size(); ++k) {
        if (key != kKeys[k]) continue;
        if (m_open->seen[k]) return Fail(number, "\"" + std::string(key) + "\" is given twice in the profile");
        m_open->seen[k] = true;
        return Value(static_cast<Key>(k), Trimmed(text.substr(equals + 1)), number);
    }
    return Fail(number, "unknown key \"" + std::string(key) + "\"");
}

bool Reader::Clock(const char* what, int shown, const SliderRange* range, int line) {
    if (!range) return true;
    if (shown >= range->min && shown <= range->max) return true;
    return Fail(line, std::string(what) + " " + std::to_string(shown) + " MHz is outside its slider's " +
                          RangeText(*range) + " MHz");
}

bool Reader::Value(Key key, std::string_view value, int line) {
    PROFILE& profile = m_open->profile;
    if (key == kName) {
        std::string reason;
        const std::optional<std::wstring> name = ParseName(value, reason);
        if (!name) return Fail(line, reason);
        if (name->empty()) return Fail(line, "the name is empty");
        if (name->find(L'\0') != std::wstring::npos) return Fail(line, "the name holds the character U+0000");
        if (Utf8::Utf16Length(*name) > kProfileNameMax) return Fail(line, "the name is longer than 63 characters");
        SetProfileName(profile, *name);
        return true;
    }
    if (key == kFan && value == "auto") return profile.fan = kFanAutomaticPosition, true;
    const std::optional<int> number = ParseNumber(value);
    if (!number) return Fail(line, "\"" + std::string(value) + "\" is not a whole number");
    if (key == kFan) {
        if (*number > 100) return Fail(line, "fan " + std::to_string(*number) + " is outside 0 to 100 (or auto)");
        return profile.fan = static_cast<uint8_t>(*number), true;
    }
    if (static_cast<uint32_t>(*number) > kMaxCardMhz) return Fail(line, "the clock is beyond what the card takes");
    // A profile without a core or memory clock would end the stored list at its number.
    if (*number == 0 && key != kShader) return Fail(line, "a core or memory clock of 0");
    const Limits* limits = m_limits ? &*m_limits : nullptr;
    if (key == kCore) profile.core = *number;
    if (key == kMemory) profile.memory = *number;
    if (key == kShader) profile.shader = *number;
    if (key == kCore) return Clock("core", *number, limits ? &limits->core : nullptr, line);
    if (key == kShader) return Clock("shader", *number, limits ? &limits->shader : nullptr, line);
    const int shown = limits ? *number * limits->memoryFactor : *number;
    return Clock("memory (shown)", shown, limits ? &limits->memoryShown : nullptr, line);
}

bool Reader::Close() {
    if (!m_open) return true;
    for (size_t k = 0; k < kKeys.size(); ++k)
        if (!m_open->seen[k]) return Fail(m_open->line, "the profile lacks \"" + std::string(kKeys[k]) + "\"");
    m_result.profiles.push_back(m_open->profile);
    m_result.sectionLines.push_back(m_open->line);
    m_open.reset();
    return true;
}

bool Reader::End() { return Close(); }
}  // namespace

std::string Export(const ProfileList& profiles) {
    std::string text = "# Oskara profiles: one [profile] section each. memory is the real clock (the slider may show\n"
                       "# a multiple of it); fan is a percent from 0 to 100, or auto.\n";
    for (const PROFILE& profile : profiles) {
        text += "\n[profile]\nname = " + QuotedName(NameOf(profile)) + "\ncore = " + std::to_string(profile.core) +
                "\nmemory = " + std::to_string(profile.memory) + "\nshader = " + std::to_string(profile.shader) +
                "\nfan = " + (IsAutomaticFan(profile.fan) ? std::string("auto") : std::to_string(profile.fan)) + "\n";
    }
    return text;
}

Imported Import(std::string_view text, const std::optional<Limits>& limits) {
    Reader reader(limits);
    if (text.size() > kMaxBytes) {
        reader.Result().problem = Problem{0, "the file is longer than 1 MB"};
        return std::move(reader.Result());
    }
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    int number = 0;
    bool ok = true;
    while (ok && !text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ok = reader.Line(line, ++number);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    if (ok) reader.End();
    Imported& result = reader.Result();
    if (result.problem) {
        result.profiles.clear();
        result.sectionLines.clear();
    }
    return std::move(result);
}

std::optional<ProfileList> Merge(const ProfileList& existing, const ProfileList& imported, bool replace,
                                 size_t& firstExcess) {
    ProfileList merged = replace ? ProfileList{} : existing;
    std::vector<bool> replaced(merged.size(), false);
    for (size_t i = 0; i < imported.size(); ++i) {
        const std::wstring name = NameOf(imported[i]);
        size_t at = 0;
        while (at < merged.size() && (replaced[at] || NameOf(merged[at]) != name)) ++at;
        if (at == merged.size()) {
            if (merged.size() >= ProfileBook::kMaxProfiles) return firstExcess = i, std::nullopt;
            merged.push_back(imported[i]);
            replaced.push_back(true);
        } else {
            merged[at] = imported[i];
            replaced[at] = true;
        }
    }
    return merged;
}

}  // namespace ProfileFile
