#include "tavio/Display.h"

#include <algorithm>
#include <vector>

#include "tavio/ScreenCommands.h"
#include "tavio/TextPacking.h"

using namespace ScreenLayout;

void CTavioDisplay::Opened() {
    m_connected = true;
    Reset();
}

// A controller whose reports cannot hold a text slice gets nothing rather than half a screen.
bool CTavioDisplay::Send(const uint8_t* command, size_t count) {
    if (m_sink.OutputReportLength() < ScreenCommands::kLongestReport) return false;
    const size_t length = ScreenCommands::kFrameHeader + count;
    std::vector<uint8_t> report(length, 0);
    report[1] = static_cast<uint8_t>(count);
    std::copy(command, command + count, report.begin() + ScreenCommands::kFrameHeader);
    return m_sink.WriteReport(report.data(), report.size());
}

void CTavioDisplay::Reset() {
    Send(ScreenCommands::kResetMode);
    Send(ScreenCommands::kClear);
    m_mirror.fill(0);
    m_barSetsSinceRepair.fill(kBarRepairEvery);
    Send(ScreenCommands::kSetup);
}

void CTavioDisplay::SendExitMode() { Send(ScreenCommands::kExitMode); }

void CTavioDisplay::WriteSegmentByte(size_t address) {
    const uint8_t command[] = {ScreenCommands::kWriteSegment[0], ScreenCommands::kWriteSegment[1],
                               static_cast<uint8_t>(address), m_mirror[address]};
    Send(command);
}

void CTavioDisplay::SetIndicator(int id, bool on) {
    if (id < 0 || id >= kIndicators) return;
    const Wire wire = kIndicatorTable[id];
    uint8_t& byte = m_mirror[wire.address];
    if (wire.bit == kWholeCell) {
        byte = on ? kCellOn : 0;
    } else {
        byte = static_cast<uint8_t>(byte & ~(1u << wire.bit));
        if (on) byte = static_cast<uint8_t>(byte | (1u << wire.bit));
    }
    WriteSegmentByte(wire.address);
}

void CTavioDisplay::ShowField(Field field, uint32_t value) {
    const int count = 1 + (value >= 10) + (value >= 100) + (value >= 1000);
    uint32_t rest = value;
    for (int k = 0; k < 4; ++k, rest /= 10) {
        const uint8_t pattern = k < count ? kDigitPatterns[rest % 10] : 0;
        for (int segment = 0; segment < 7; ++segment) {
            const Wire wire = kWiring[field][k][segment];
            uint8_t& byte = m_mirror[wire.address];
            byte = static_cast<uint8_t>(byte & ~(1u << wire.bit));
            if (pattern & (1u << segment)) byte = static_cast<uint8_t>(byte | (1u << wire.bit));
        }
    }
    for (int address = kFieldSpans[field].first; address <= kFieldSpans[field].last; ++address)
        WriteSegmentByte(address);
}

void CTavioDisplay::SetBar(Bar bar, int level) {
    const int lit = std::clamp(level, 0, kBarCells);
    const bool repair = ++m_barSetsSinceRepair[bar] > kBarRepairEvery;
    if (repair) m_barSetsSinceRepair[bar] = 1;
    for (int i = 1; i <= kBarCells; ++i) {
        const size_t address = kBarBase[bar] + i;
        const uint8_t cell = lit >= kBarCells + 1 - i ? kCellOn : 0;
        if (m_mirror[address] == cell && !repair) continue;
        m_mirror[address] = cell;
        WriteSegmentByte(address);
    }
}

void CTavioDisplay::FlushText() {
    const PackedText packed = PackText(m_text.Pixels());
    Send(ScreenCommands::kTextStart);
    for (size_t k = 0; k < ScreenCommands::kSlices; ++k) {
        uint8_t command[ScreenCommands::kSliceCommandBytes] = {};
        std::copy(std::begin(ScreenCommands::kTextSlice), std::end(ScreenCommands::kTextSlice), command);
        const auto slice = packed.begin() + k * ScreenCommands::kSliceDataBytes;
        std::copy(slice, slice + ScreenCommands::kSliceDataBytes, command + sizeof(ScreenCommands::kTextSlice));
        Send(command);
    }
}
