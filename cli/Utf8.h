#pragma once
#include <optional>
#include <string>
#include <string_view>

// The console speaks UTF-8; the program's text is wchar_t (UTF-16 on Windows, whole code points
// on the host build).
namespace Utf8 {

// A unit that is not part of a valid code point (a lone surrogate) becomes U+FFFD.
std::string FromWide(const std::wstring& text);
// nullopt for bytes that are not UTF-8 (overlong forms, surrogates, beyond U+10FFFF, cut short).
std::optional<std::wstring> ToWide(std::string_view bytes);
// The length of a text in UTF-16 units, as the profile name's field counts it.
size_t Utf16Length(const std::wstring& text);
// Whether the unit at `at` is a surrogate without its partner (always one on the host build).
bool IsLoneSurrogate(const std::wstring& text, size_t at);

}  // namespace Utf8
