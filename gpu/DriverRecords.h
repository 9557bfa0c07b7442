#pragma once
// The driver's records as byte layouts: sizes, version words and field offsets. Both the program
// and the simulated driver read and write records only through these, so the two cannot drift
// apart. Every field is a 32-bit little-endian word; the layouts are the same in x86 and x64.
#include <cstddef>
#include <cstdint>
#include <cstring>

// Size in the low 16 bits, structure version in the high 16 bits.
constexpr uint32_t RecordVersionWord(uint32_t size, uint32_t structVersion) {
    return size | (structVersion << 16);
}
constexpr uint32_t RecordSizeOf(uint32_t versionWord) { return versionWord & 0xFFFFu; }

inline uint32_t LoadRecordWord(const void* record, size_t offset) {
    uint32_t value;
    std::memcpy(&value, static_cast<const uint8_t*>(record) + offset, sizeof value);
    return value;
}
inline void StoreRecordWord(void* record, size_t offset, uint32_t value) {
    std::memcpy(static_cast<uint8_t*>(record) + offset, &value, sizeof value);
}

namespace DriverVersionRecord {
constexpr uint32_t kSize = 140;
constexpr uint32_t kVersionWord = 0x0001008C;
constexpr size_t kDriverVersion = 4;  // hundredths: 18000 is 180.00
}  // namespace DriverVersionRecord

namespace LevelClocksRecord {
constexpr uint32_t kSize = 10868;
constexpr uint32_t kVersionWord = 0x00012A74;
constexpr size_t kHeaderFlags = 24;
constexpr uint32_t kFlagClockTest = 0x08;    // set by the program: test, do not apply
constexpr uint32_t kFlagTestPassed = 0x10;   // set by the driver
constexpr size_t kEntryCount = 32;
constexpr size_t kFirstEntry = 28;
constexpr size_t kEntrySize = 28;
constexpr size_t kCode = 0;
constexpr size_t kCurrentKhz = 8;
constexpr size_t kDefaultKhz = 12;
constexpr size_t kEntryFlags = 24;
constexpr uint32_t kEntryWritten = 0x01;
constexpr size_t Entry(size_t i) { return kFirstEntry + kEntrySize * i; }
static_assert(Entry(kEntryCount - 1) + kEntrySize <= kSize);
}  // namespace LevelClocksRecord

namespace ClockSnapshotRecord {
constexpr uint32_t kSize = 260;
constexpr uint32_t kVersionWord = 0x00010104;
constexpr size_t kClockCount = 64;
constexpr size_t Clock(size_t i) { return 4 + 4 * i; }
static_assert(Clock(kClockCount) == kSize);
}  // namespace ClockSnapshotRecord

// Drivers from 180.00 on take the large layouts, older ones the small.
constexpr uint32_t kLargeCoolerDriverVersion = 18000;
constexpr uint32_t kCoolerTargetAll = 7;
constexpr uint32_t kCoolerPolicyFixedLevel = 1;

namespace CoolerSettingsRecord {
constexpr uint32_t kSmallSize = 152;
constexpr uint32_t kSmallVersionWord = 0x00010098;
constexpr uint32_t kSmallCoolers = 3;
constexpr uint32_t kLargeSize = 968;
constexpr uint32_t kLargeVersionWord = 0x000203C8;
constexpr uint32_t kLargeCoolers = 20;
constexpr size_t kCount = 4;
constexpr size_t kCoolerSize = 48;
constexpr size_t Cooler(size_t c) { return 8 + kCoolerSize * c; }
constexpr size_t kCurrentLevel = 24;   // percent
constexpr size_t kDefaultPolicy = 28;
constexpr size_t kCurrentPolicy = 32;
static_assert(Cooler(kSmallCoolers) == kSmallSize && Cooler(kLargeCoolers) == kLargeSize);
static_assert(Cooler(0) + kCurrentLevel == 32 && Cooler(0) + kCurrentPolicy == 40);
}  // namespace CoolerSettingsRecord

namespace CoolerLevelsRecord {
constexpr uint32_t kSmallSize = 28;
constexpr uint32_t kSmallVersionWord = 0x0001001C;
constexpr uint32_t kSmallCoolers = 3;
constexpr uint32_t kLargeSize = 164;
constexpr uint32_t kLargeVersionWord = 0x000100A4;
constexpr uint32_t kLargeCoolers = 20;
constexpr size_t Level(size_t c) { return 4 + 8 * c; }
constexpr size_t Policy(size_t c) { return 8 + 8 * c; }
static_assert(Level(kSmallCoolers) == kSmallSize && Level(kLargeCoolers) == kLargeSize);
}  // namespace CoolerLevelsRecord

// The thermal record is handed to callers, so it is a plain struct rather than bytes.
struct THERMAL_SENSOR {
    int32_t controller;
    int32_t defaultMinTemp;
    int32_t defaultMaxTemp;
    int32_t currentTemp;  // degrees Celsius; signed so that a reading below zero stays one
    int32_t target;
};
struct THERMAL_SETTINGS {
    uint32_t version;
    uint32_t count;
    THERMAL_SENSOR sensor[3];
};
constexpr uint32_t kThermalSettingsVersionWord = 0x00010044;
constexpr uint32_t kThermalAllSensors = 15;
static_assert(sizeof(THERMAL_SETTINGS) == 68);
static_assert(offsetof(THERMAL_SETTINGS, count) == 4);
static_assert(offsetof(THERMAL_SETTINGS, sensor) == 8 && sizeof(THERMAL_SENSOR) == 20);
static_assert(offsetof(THERMAL_SETTINGS, sensor) + offsetof(THERMAL_SENSOR, currentTemp) == 20);

static_assert(RecordVersionWord(DriverVersionRecord::kSize, 1) == DriverVersionRecord::kVersionWord);
static_assert(RecordVersionWord(LevelClocksRecord::kSize, 1) == LevelClocksRecord::kVersionWord);
static_assert(RecordVersionWord(ClockSnapshotRecord::kSize, 1) == ClockSnapshotRecord::kVersionWord);
static_assert(RecordVersionWord(CoolerSettingsRecord::kSmallSize, 1) ==
              CoolerSettingsRecord::kSmallVersionWord);
static_assert(RecordVersionWord(CoolerSettingsRecord::kLargeSize, 2) ==
              CoolerSettingsRecord::kLargeVersionWord);
static_assert(RecordVersionWord(CoolerLevelsRecord::kSmallSize, 1) ==
              CoolerLevelsRecord::kSmallVersionWord);
static_assert(RecordVersionWord(CoolerLevelsRecord::kLargeSize, 1) ==
              CoolerLevelsRecord::kLargeVersionWord);
static_assert(RecordVersionWord(sizeof(THERMAL_SETTINGS), 1) == kThermalSettingsVersionWord);

// Which of the program's three clocks a domain entry of a level record feeds.
enum class ClockDomain { kNone, kCore, kMemory, kShader };
constexpr ClockDomain ClockOfDomainCode(uint32_t code) {
    switch (code) {
    case 0: case 8: return ClockDomain::kCore;
    case 4: case 9: return ClockDomain::kMemory;
    case 7: case 10: return ClockDomain::kShader;
    default: return ClockDomain::kNone;
    }
}

// A record the program is about to hand to the driver: zeroed, version word in front. The
// capacity may exceed the size in the version word (one buffer serves both cooler layouts).
template <size_t Capacity>
class CDriverRecord {
    static_assert(Capacity >= 4 && Capacity % 4 == 0);

public:
    explicit CDriverRecord(uint32_t versionWord) { Put(0, versionWord); }
    // Offsets come from the layouts above; one outside the buffer reads 0 and writes nothing.
    uint32_t Get(size_t offset) const {
        return offset <= Capacity - 4 ? LoadRecordWord(m_bytes, offset) : 0;
    }
    void Put(size_t offset, uint32_t value) {
        if (offset <= Capacity - 4) StoreRecordWord(m_bytes, offset, value);
    }
    void* Data() { return m_bytes; }

private:
    alignas(8) uint8_t m_bytes[Capacity] = {};
};
