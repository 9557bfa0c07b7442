#include "sim/tavio/HexLog.h"

namespace {
int Nibble(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}
}  // namespace

std::string HexLine(const uint8_t* bytes, size_t length) {
    static const char kDigits[] = "0123456789abcdef";
    std::string line;
    line.reserve(2 * length + 1);
    for (size_t i = 0; i < length; ++i) {
        line += kDigits[bytes[i] >> 4];
        line += kDigits[bytes[i] & 0x0F];
    }
    line += '\n';
    return line;
}

bool ParseHexLine(const std::string& line, std::vector<uint8_t>& bytes) {
    size_t end = line.size();
    while (end > 0 && (line[end - 1] == '\r' || line[end - 1] == '\n')) --end;
    bytes.clear();
    if (end % 2 != 0) return false;
    for (size_t i = 0; i < end; i += 2) {
        const int high = Nibble(line[i]), low = Nibble(line[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
    }
    return true;
}
