#pragma once
// What a registry value's type and bytes mean to the program. Kept free of <windows.h> so that
// the fuzz build decodes values of any type and size exactly as the registry store does.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace RegistryValue {

constexpr uint32_t kTypeString = 1;  // REG_SZ
constexpr uint32_t kTypeDword = 4;   // REG_DWORD
// Far above any text this program stores; keeps a damaged value from claiming all memory.
constexpr size_t kMaxStringBytes = 1 << 20;

// Only a REG_DWORD of exactly four bytes is a number.
inline std::optional<uint32_t> Dword(uint32_t type, const uint8_t* data, size_t size) {
    if (type != kTypeDword || size != 4 || !data) return std::nullopt;
    return uint32_t{data[0]} | uint32_t{data[1]} << 8 | uint32_t{data[2]} << 16 | uint32_t{data[3]} << 24;
}

// Only REG_SZ is text: UTF-16 units up to the first NUL or the data's end; an odd last byte is
// no unit.
inline std::optional<std::wstring> Text(uint32_t type, const uint8_t* data, size_t size) {
    if (type != kTypeString || size > kMaxStringBytes || (size > 0 && !data)) return std::nullopt;
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const wchar_t unit = static_cast<wchar_t>(data[i] | data[i + 1] << 8);
        if (unit == L'\0') break;
        text.push_back(unit);
    }
    return text;
}

}  // namespace RegistryValue
