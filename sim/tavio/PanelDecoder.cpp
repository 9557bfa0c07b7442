#include "sim/tavio/PanelDecoder.h"

#include <cstdio>

namespace {

constexpr uint8_t kEsc = 0x1B;
constexpr size_t kSliceData = 42;
constexpr size_t kSliceCount = 0x33;
constexpr int kSlices = 6;

bool Is(const uint8_t* command, size_t count, std::initializer_list<uint8_t> expected) {
    if (count != expected.size()) return false;
    size_t i = 0;
    for (uint8_t byte : expected)
        if (command[i++] != byte) return false;
    return true;
}

std::string Hex(const uint8_t* bytes, size_t count) {
    std::string text;
    char two[4];
    for (size_t i = 0; i < count && i < 8; ++i) {
        std::snprintf(two, sizeof two, i ? " %02x" : "%02x", bytes[i]);
        text += two;
    }
    return text;
}

}  // namespace

void PanelDecoder::Error(const std::string& text) { m_errors.push_back("report " + std::to_string(m_reports) + ": " + text); }

void PanelDecoder::Feed(const uint8_t* report, size_t length) {
    ++m_reports;
    if (!report || length != m_reportLength) {
        Error("length " + std::to_string(length) + ", expected " + std::to_string(m_reportLength));
        return;
    }
    if (length < 2 || report[0] != 0x00) {
        Error("report id is not 0");
        return;
    }
    const size_t count = report[1];
    if (count == 0 || 2 + count > length) {
        Error("command count " + std::to_string(count) + " does not fit");
        return;
    }
    for (size_t i = 2 + count; i < length; ++i) {
        if (report[i] != 0) {
            Error("byte " + std::to_string(i) + " after the command is not 0");
            return;
        }
    }
    Command(report + 2, count);
}

void PanelDecoder::Command(const uint8_t* c, size_t count) {
    const bool slice = count >= 2 && c[0] == kEsc && c[1] == 0x70;
    if (!slice && m_slicesExpected >= 0) {
        Error("text start followed by another command after " + std::to_string(m_slicesExpected) + " slices");
        m_slicesExpected = -1;
    }
    if (slice) {
        TextSlice(c, count);
    } else if (count >= 2 && c[0] == kEsc && c[1] == 0x30) {
        WriteSegment(c, count);
    } else if (Is(c, count, {0x1F})) {
        m_segments.fill(0);
        m_text.fill(0);
    } else if (count == 5 && c[0] == kEsc && c[1] == 0x40 && c[3] == 0 && c[4] == 0) {
        m_setup = c[2];
    } else if (Is(c, count, {kEsc, 0x80, 'W', 'u'})) {
        m_mode = Mode::Running;
    } else if (Is(c, count, {kEsc, 0x80, 'S', 'b', 'm'})) {
        m_mode = Mode::Exited;
    } else if (Is(c, count, {kEsc, 0x60, 0x00})) {
        m_slicesExpected = 0;
    } else {
        Error("unknown command " + Hex(c, count));
    }
}

void PanelDecoder::WriteSegment(const uint8_t* c, size_t count) {
    if (count != 4) {
        Error("segment write with count " + std::to_string(count));
        return;
    }
    const uint8_t address = c[2], value = c[3];
    if (address >= m_segments.size() || (!panel::IsCellAddress(address) && panel::UsedBits(address) == 0)) {
        Error("segment write to unused address " + std::to_string(address));
        return;
    }
    if (panel::IsCellAddress(address) ? (value != 0 && value != panel::kCellOn)
                                      : (value & ~panel::UsedBits(address)) != 0) {
        Error("segment write of " + Hex(&value, 1) + " lights nothing wired at address " + std::to_string(address));
        return;
    }
    m_segments[address] = value;
    m_writes.emplace_back(address, value);
}

void PanelDecoder::TextSlice(const uint8_t* c, size_t count) {
    if (m_slicesExpected < 0) {
        Error("text slice without a text start");
        return;
    }
    const int number = m_slicesExpected;
    m_slicesExpected = -1;
    if (count != kSliceCount || c[2] != 0x2A) {
        Error("text slice " + std::to_string(number) + " is malformed");
        return;
    }
    for (size_t i = 3 + kSliceData; i < count; ++i) {
        if (c[i] != 0) {
            Error("text slice " + std::to_string(number) + " has data after its 42 bytes");
            return;
        }
    }
    for (size_t i = 0; i < kSliceData; ++i) {
        const size_t at = number * kSliceData + i;
        if (at % 2 == 1 && (c[3 + i] & 0x7F) != 0) {
            Error("text byte " + std::to_string(at) + " lights rows below the line");
            return;
        }
        m_staged[at] = c[3 + i];
    }
    if (number + 1 < kSlices) {
        m_slicesExpected = number + 1;
        return;
    }
    m_text = m_staged;
    ++m_textUpdates;
}

bool PanelDecoder::SegmentLit(const panel::Role& wanted) const {
    for (size_t address = 0; address < m_segments.size(); ++address) {
        if (panel::IsCellAddress(address)) continue;
        for (int bit = 0; bit < 8; ++bit) {
            const panel::Role role = panel::RoleOf(address, bit);
            if (role.kind == wanted.kind && role.field == wanted.field && role.digit == wanted.digit &&
                role.segment == wanted.segment && role.index == wanted.index)
                return (m_segments[address] >> bit) & 1;
        }
    }
    return false;
}

int PanelDecoder::DigitAt(Field field, int digit) const {
    uint8_t segments = 0;
    for (int s = 0; s < panel::kSegments; ++s) {
        panel::Role role;
        role.kind = panel::Role::DigitSegment;
        role.field = static_cast<uint8_t>(field);
        role.digit = static_cast<uint8_t>(digit);
        role.segment = static_cast<uint8_t>(s);
        if (SegmentLit(role)) segments |= static_cast<uint8_t>(1u << s);
    }
    if (segments == 0) return -2;
    return panel::DigitOfSegments(segments);
}

std::string PanelDecoder::Digits(Field field) const {
    std::string text;
    for (int digit = panel::kDigits - 1; digit >= 0; --digit) {
        const int value = DigitAt(field, digit);
        text += value == -2 ? ' ' : value < 0 ? '?' : static_cast<char>('0' + value);
    }
    return text;
}

int PanelDecoder::Number(Field field) const {
    const std::string text = Digits(field);
    int value = 0;
    bool started = false;
    for (char ch : text) {
        if (ch == ' ' && !started) continue;
        if (ch < '0' || ch > '9') return -1;
        started = true;
        value = value * 10 + (ch - '0');
    }
    return started ? value : -1;
}

int PanelDecoder::BarLevel(Bar bar) const {
    const size_t first = bar == Temperature ? panel::kTemperatureBarFirst : panel::kFanBarFirst;
    int lit = 0;
    bool darkSeen = false;
    for (int cell = panel::kBarCells - 1; cell >= 0; --cell) {
        if (m_segments[first + cell] == panel::kCellOn) {
            if (darkSeen) return -1;
            ++lit;
        } else {
            darkSeen = true;
        }
    }
    return lit;
}

bool PanelDecoder::Lamp(int id) const {
    if (id == 11 || id == 12) return m_segments[16 + id - 11] == panel::kCellOn;
    panel::Role role;
    role.kind = panel::Role::Lamp;
    role.index = static_cast<uint8_t>(id);
    return id >= 0 && id < panel::kLamps && SegmentLit(role);
}

bool PanelDecoder::Pixel(int x, int y) const {
    if (x < 0 || x >= kTextWidth || y < 0 || y >= kTextHeight) return false;
    const uint8_t byte = m_text[2 * x + (y / 8)];
    return (byte >> (7 - y % 8)) & 1;
}

std::vector<std::string> PanelDecoder::TextRows() const {
    std::vector<std::string> rows;
    for (int y = 0; y < kTextHeight; ++y) {
        std::string row;
        for (int x = 0; x < kTextWidth; ++x) row += Pixel(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}
