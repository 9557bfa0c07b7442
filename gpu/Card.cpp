#include "gpu/Card.h"

#include "gpu/GpuControl.h"
#include "gpu/FanPosition.h"

namespace {
// Cards have a handful of performance levels; a driver that answers every level number would
// otherwise keep the count going until it overflows.
constexpr int kMaxPerformanceLevels = 32;
}  // namespace

bool CCard::Identify(uint16_t& vendor, uint16_t& device) {
    // A group the driver cannot tell would leave Apply, Reset and the poll with no GPU at all:
    // the card is then the GPU every single read addresses.
    if (!m_gpu.GetGroupGpuIndexes(m_group) || m_group.empty()) m_group = {0};
    const bool pciKnown = m_gpu.GetPciIds(vendor, device);
    CountLevels();
    // From the GPU the memory class came from (the first clock read above), so the shown memory
    // clock and the one written back never use different factors.
    uint32_t memoryType = 0;
    if (m_gpu.GetMemoryType(memoryType)) m_memoryType = memoryType;
    return pciKnown;
}

void CCard::CountLevels() {
    CardClocks clocks;
    m_topLevel = 0;
    while (m_topLevel < kMaxPerformanceLevels &&
           m_gpu.GetLevelDefaultClocks(m_topLevel + 1, clocks.core, clocks.memory, clocks.shader))
        ++m_topLevel;
    clocks = {};
    m_gpu.GetLevelDefaultClocks(m_topLevel, clocks.core, clocks.memory, clocks.shader);
    m_hasShaderClock = clocks.shader != 0;
}

// Levels the driver could not count at start-up are counted again, so that one failed start
// does not aim every later clock operation at level 0 for the life of the program.
void CCard::CountLevelsIfUncounted() {
    if (m_topLevel == 0) CountLevels();
}

bool CCard::PciIds(uint16_t& vendor, uint16_t& device) { return m_gpu.GetPciIds(vendor, device); }

bool CCard::DefaultClocks(CardClocks& clocks) {
    CountLevelsIfUncounted();
    return m_gpu.GetLevelDefaultClocks(m_topLevel, clocks.core, clocks.memory, clocks.shader);
}

bool CCard::CurrentClocks(CardClocks& clocks) {
    CountLevelsIfUncounted();
    return m_gpu.GetLevelCurrentClocks(m_topLevel, clocks.core, clocks.memory, clocks.shader);
}

CardFan CCard::ReadFan() {
    CardFan fan;
    for (uint32_t gpu : m_group) {
        m_gpu.SelectGpu(gpu);
        int level = 0;
        if (!m_gpu.GetFanLevel(0, level)) continue;
        fan.known = true;
        if (level > fan.highestPercent) fan.highestPercent = level;
    }
    // Without any cooler answer the automatic flag is only the driver generation's guess.
    fan.automatic = m_gpu.IsFanAutomatic();
    return fan;
}

bool CCard::FanLevel(int& percent) { return m_gpu.GetFanLevel(0, percent); }

int32_t CCard::HottestTemperature() {
    // A failed or negative reading never wins.
    int32_t hottest = 0;
    for (uint32_t gpu : m_group) {
        m_gpu.SelectGpu(gpu);
        THERMAL_SETTINGS thermal{};
        m_gpu.GetThermalSettings(&thermal);
        if (thermal.sensor[0].currentTemp > hottest) hottest = thermal.sensor[0].currentTemp;
    }
    return hottest;
}

std::optional<int32_t> CCard::HottestReading() {
    std::optional<int32_t> hottest;
    for (uint32_t gpu : m_group) {
        m_gpu.SelectGpu(gpu);
        THERMAL_SETTINGS thermal{};
        // A record without a sensor holds no temperature, only zeroes.
        if (!m_gpu.GetThermalSettings(&thermal) || thermal.count == 0) return std::nullopt;
        if (!hottest || thermal.sensor[0].currentTemp > *hottest) hottest = thermal.sensor[0].currentTemp;
    }
    return hottest;
}

void CCard::Apply(const std::optional<CardClocks>& clocks, std::optional<int> fanPosition) {
    if (clocks) CountLevelsIfUncounted();
    for (uint32_t gpu : m_group) {
        m_gpu.SelectGpu(gpu);
        if (clocks) m_gpu.SetLevelClocks(m_topLevel, clocks->core, clocks->memory, clocks->shader);
        if (fanPosition) SetFan(*fanPosition);
    }
}

void CCard::Reset() { PutDefaultClocks(true); }

void CCard::ResetClocks() { PutDefaultClocks(false); }

void CCard::PutDefaultClocks(bool fanToAutomatic) {
    CountLevelsIfUncounted();
    for (uint32_t gpu : m_group) {
        m_gpu.SelectGpu(gpu);
        CardClocks defaults;
        if (DefaultClocks(defaults)) m_gpu.SetLevelClocks(m_topLevel, defaults.core, defaults.memory, defaults.shader);
        if (fanToAutomatic) m_gpu.SetFanLevel(-1, 0);
    }
}

bool CCard::SetGroupFan(int fanPosition) { return SetFanOn(m_group, fanPosition).empty(); }

std::vector<uint32_t> CCard::SetFanOn(const std::vector<uint32_t>& gpus, int fanPosition) {
    std::vector<uint32_t> refused;
    for (uint32_t gpu : gpus) {
        m_gpu.SelectGpu(gpu);
        if (!WriteFan(fanPosition)) refused.push_back(gpu);
    }
    return refused;
}

void CCard::SetFan(int fanPosition) { WriteFan(fanPosition); }

bool CCard::WriteFan(int fanPosition) {
    return IsAutomaticFan(fanPosition) ? m_gpu.SetFanLevel(-1, 0) : m_gpu.SetFanLevel(0, fanPosition);
}

void CCard::SetClocks(const CardClocks& clocks) {
    CountLevelsIfUncounted();
    m_gpu.SetLevelClocks(m_topLevel, clocks.core, clocks.memory, clocks.shader);
}

bool CCard::TestClocks(const CardClocks& clocks, int& passed) {
    CountLevelsIfUncounted();
    return m_gpu.TestLevelClocks(m_topLevel, clocks.core, clocks.memory, clocks.shader, passed);
}

GpuReading CCard::ReadGpu(uint32_t gpu) {
    CountLevelsIfUncounted();
    m_gpu.SelectGpu(gpu);
    GpuReading reading;
    THERMAL_SETTINGS thermal{};
    if (m_gpu.GetThermalSettings(&thermal) && thermal.count > 0) reading.celsius = thermal.sensor[0].currentTemp;
    CardClocks clocks;
    if (m_gpu.GetLevelCurrentClocks(m_topLevel, clocks.core, clocks.memory, clocks.shader)) reading.clocks = clocks;
    int percent = 0;
    if (m_gpu.GetFanLevel(0, percent)) {
        reading.fanPercent = percent;
        reading.fanAutomatic = m_gpu.IsFanAutomatic();
    }
    return reading;
}

uint32_t CCard::DriverVersion() const { return m_gpu.GetDriverVersion(); }
