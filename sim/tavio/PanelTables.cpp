#include "sim/tavio/PanelTables.h"

#include <cstdlib>
#include <cstring>

namespace panel {
namespace {

// One row per bit-kind address, bits 0 to 7. "C0.T" is core ones top, "M3.UL" memory thousands
// upper left, "S1.LR" shader tens lower right, "L4" lamp 4, "-" nothing.
struct AddressRow {
    uint8_t address;
    const char* bits[8];
};

const AddressRow kRows[] = {
    {0, {"L0", "L1", "-", "-", "-", "-", "-", "-"}},
    {4, {"C2.T", "C1.T", "C0.T", "L4", "L3", "L2", "-", "-"}},
    {5, {"C2.UL", "C1.UL", "C0.UL", "C3.UR", "C2.UR", "C1.UR", "C0.UR", "C3.T"}},
    {6, {"C2.LR", "C1.LR", "C0.LR", "C3.M", "C2.M", "C1.M", "C0.M", "C3.UL"}},
    {7, {"C2.B", "C1.B", "C0.B", "C3.LL", "C2.LL", "C1.LL", "C0.LL", "C3.LR"}},
    {8, {"M3.T", "M2.T", "M1.T", "M0.T", "L7", "L6", "L5", "C3.B"}},
    {9, {"M3.UL", "M2.UL", "M1.UL", "M0.UL", "M3.UR", "M2.UR", "M1.UR", "M0.UR"}},
    {10, {"M3.LR", "M2.LR", "M1.LR", "M0.LR", "M3.M", "M2.M", "M1.M", "M0.M"}},
    {11, {"M3.B", "M2.B", "M1.B", "M0.B", "M3.LL", "M2.LL", "M1.LL", "M0.LL"}},
    {12, {"S0.UR", "S3.T", "S2.T", "S1.T", "S0.T", "L10", "L9", "L8"}},
    {13, {"S0.M", "S3.UL", "S2.UL", "S1.UL", "S0.UL", "S3.UR", "S2.UR", "S1.UR"}},
    {14, {"S0.LL", "S3.LR", "S2.LR", "S1.LR", "S0.LR", "S3.M", "S2.M", "S1.M"}},
    {15, {"-", "S3.B", "S2.B", "S1.B", "S0.B", "S3.LL", "S2.LL", "S1.LL"}},
};

const char* const kSegmentNames[kSegments] = {"T", "UL", "UR", "M", "LL", "LR", "B"};

// The lit segments of each digit, 0 to 9.
const char* const kDigitShapes[10] = {
    "T UL UR LL LR B", "UR LR",       "T UR M LL B",       "T UR M LR B", "UL UR M LR",
    "T UL M LR B",     "T UL M LL LR B", "T UR LR", "T UL UR M LL LR B", "T UL UR M LR B",
};

int SegmentNamed(const char* name, size_t length) {
    for (int s = 0; s < kSegments; ++s)
        if (std::strlen(kSegmentNames[s]) == length && std::strncmp(kSegmentNames[s], name, length) == 0) return s;
    return -1;
}

Role Parse(const char* text) {
    Role role;
    if (text[0] == 'L') {
        role.kind = Role::Lamp;
        role.index = static_cast<uint8_t>(std::atoi(text + 1));
    } else if (text[0] != '-') {
        role.kind = Role::DigitSegment;
        role.field = static_cast<uint8_t>(std::strchr("CMS", text[0]) - "CMS");
        role.digit = static_cast<uint8_t>(text[1] - '0');
        role.segment = static_cast<uint8_t>(SegmentNamed(text + 3, std::strlen(text + 3)));
    }
    return role;
}

uint8_t ShapeBits(const char* shape) {
    uint8_t bits = 0;
    for (const char* p = shape; *p;) {
        size_t length = std::strcspn(p, " ");
        bits |= static_cast<uint8_t>(1u << SegmentNamed(p, length));
        p += length;
        if (*p == ' ') ++p;
    }
    return bits;
}

}  // namespace

bool IsCellAddress(size_t address) {
    return address == 16 || address == 17 ||
           (address >= kTemperatureBarFirst && address < kTemperatureBarFirst + kBarCells) ||
           (address >= kFanBarFirst && address < kFanBarFirst + kBarCells);
}

Role RoleOf(size_t address, int bit) {
    Role role;
    if (address == 16 || address == 17) {
        role.kind = Role::LampCell;
        role.index = static_cast<uint8_t>(address - 16 + 11);
    } else if (address >= kTemperatureBarFirst && address < kTemperatureBarFirst + kBarCells) {
        role.kind = Role::TemperatureCell;
        role.index = static_cast<uint8_t>(address - kTemperatureBarFirst);
    } else if (address >= kFanBarFirst && address < kFanBarFirst + kBarCells) {
        role.kind = Role::FanCell;
        role.index = static_cast<uint8_t>(address - kFanBarFirst);
    } else if (bit >= 0 && bit < 8) {
        for (const AddressRow& row : kRows)
            if (row.address == address) return Parse(row.bits[bit]);
    }
    return role;
}

uint8_t UsedBits(size_t address) {
    uint8_t used = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (!IsCellAddress(address) && RoleOf(address, bit).kind != Role::Unused) used |= static_cast<uint8_t>(1u << bit);
    return used;
}

int DigitOfSegments(uint8_t segments) {
    for (int digit = 0; digit < 10; ++digit)
        if (ShapeBits(kDigitShapes[digit]) == segments) return digit;
    return -1;
}

}  // namespace panel
