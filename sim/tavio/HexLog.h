#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One output report per line of lower-case hex, the way the emulator logs them.
std::string HexLine(const uint8_t* bytes, size_t length);
// Reads one such line (a trailing "\r" is allowed); false on an odd length or a non-hex character.
bool ParseHexLine(const std::string& line, std::vector<uint8_t>& bytes);
