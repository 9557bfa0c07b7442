#include "cli/Utf8.h"

namespace Utf8 {
namespace {
constexpr char32_t kReplacement = 0xFFFD;
constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

bool IsHigh(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void Append(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void AppendWide(std::wstring& out, char32_t cp) {
    if (kWideIsUtf16 && cp >= 0x10000) {
        out += static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
        out += static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
        out += static_cast<wchar_t>(cp);
    }
}
}  // namespace

bool IsLoneSurrogate(const std::wstring& text, size_t at) {
    const char32_t unit = static_cast<char32_t>(text[at]);
    if (!kWideIsUtf16) return IsHigh(unit) || IsLow(unit);
    if (IsHigh(unit)) return at + 1 >= text.size() || !IsLow(static_cast<char32_t>(text[at + 1]));
    if (IsLow(unit)) return at == 0 || !IsHigh(static_cast<char32_t>(text[at - 1]));
    return false;
}

std::string FromWide(const std::wstring& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = static_cast<char32_t>(text[i]);
        if (IsLoneSurrogate(text, i) || cp > 0x10FFFF) {
            cp = kReplacement;
        } else if (kWideIsUtf16 && IsHigh(cp)) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        }
        Append(out, cp);
    }
    return out;
}

std::optional<std::wstring> ToWide(std::string_view bytes) {
    std::wstring out;
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        size_t extra = 0;
        char32_t cp = lead, least = 0;
        if (lead >= 0xF0 && lead <= 0xF4) extra = 3, cp = lead & 0x07, least = 0x10000;
        else if (lead >= 0xE0 && lead < 0xF0) extra = 2, cp = lead & 0x0F, least = 0x800;
        else if (lead >= 0xC2 && lead < 0xE0) extra = 1, cp = lead & 0x1F, least = 0x80;
        else if (lead >= 0x80) return std::nullopt;
        if (bytes.size() - i <= extra) return std::nullopt;
        for (size_t k = 1; k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            cp = cp << 6 | (next & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF || IsHigh(cp) || IsLow(cp)) return std::nullopt;
        AppendWide(out, cp);
        i += extra + 1;
    }
    return out;
}

size_t Utf16Length(const std::wstring& text) {
    size_t units = text.size();
    if constexpr (!kWideIsUtf16)
        for (wchar_t c : text) units += static_cast<char32_t>(c) >= 0x10000 ? 1 : 0;
    return units;
}

}  // namespace Utf8
