// Fuzz target: every CGpuControl and CCard operation against a driver whose answers (statuses,
// counts, handles, record bytes) all come from the input.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <limits>

#include "gpu/Card.h"
#include "gpu/GpuControl.h"
#include "tests/fuzz/fuzz_require.h"

namespace {

// The input of the run in progress: the driver's functions take no context of their own.
FuzzedDataProvider* g_in = nullptr;
// What the last level query answered, to see what the program changed before sending it back.
uint8_t g_lastLevel[LevelClocksRecord::kSize];

// Mostly success, so that runs get past the first call; exhausted input means success.
DriverStatus Status() {
    if (g_in->ConsumeIntegral<uint8_t>() < 0xE0) return 0;
    return g_in->ConsumeIntegral<int32_t>();
}

DriverHandle Handle() {
    // A small pool, so that group members and enumerated GPUs meet now and then.
    const uint8_t pick = g_in->ConsumeIntegral<uint8_t>();
    if (pick == 0) return nullptr;
    if (pick == 0xFF) return reinterpret_cast<DriverHandle>(g_in->ConsumeIntegral<uintptr_t>());
    return reinterpret_cast<DriverHandle>(uintptr_t{0x1000} + (pick & 0x0F) * 0x10);
}

void Handles(DriverHandle* handles, uint32_t* count) {
    FUZZ_REQUIRE(handles && count);
    const size_t given = g_in->ConsumeIntegralInRange<size_t>(0, kMaxGpus);
    for (size_t i = 0; i < given; ++i) handles[i] = Handle();
    *count = g_in->ConsumeBool() ? static_cast<uint32_t>(given) : g_in->ConsumeIntegral<uint32_t>();
}

// The record must carry one of the words the call takes; the driver then writes as many bytes
// as that word declares, so a buffer smaller than its declaration shows up under the sanitizer.
void Fill(void* record, uint32_t word, uint32_t otherWord = 0) {
    FUZZ_REQUIRE(record != nullptr);
    const uint32_t declared = LoadRecordWord(record, 0);
    FUZZ_REQUIRE(declared == word || (otherWord != 0 && declared == otherWord));
    const size_t size = RecordSizeOf(declared);
    const size_t length = g_in->ConsumeIntegralInRange<size_t>(0, size - 4);
    const std::vector<uint8_t> bytes = g_in->ConsumeBytes<uint8_t>(length);
    if (!bytes.empty()) std::memcpy(static_cast<uint8_t*>(record) + 4, bytes.data(), bytes.size());
}

DriverStatus DRIVER_CALL Initialize() { return Status(); }
DriverStatus DRIVER_CALL EnumGpus(DriverHandle* handles, uint32_t* count) {
    Handles(handles, count);
    return Status();
}
DriverStatus DRIVER_CALL EnumDisplay(uint32_t, DriverHandle* display) {
    FUZZ_REQUIRE(display != nullptr);
    *display = Handle();
    return Status();
}
DriverStatus DRIVER_CALL DriverVersion(DriverHandle, void* record) {
    Fill(record, DriverVersionRecord::kVersionWord);
    return Status();
}
DriverStatus DRIVER_CALL Logical(DriverHandle, DriverHandle* logical) {
    FUZZ_REQUIRE(logical != nullptr);
    *logical = Handle();
    return Status();
}
DriverStatus DRIVER_CALL Members(DriverHandle, DriverHandle* handles, uint32_t* count) {
    Handles(handles, count);
    return Status();
}
DriverStatus DRIVER_CALL Thermal(DriverHandle, uint32_t, void* record) {
    Fill(record, kThermalSettingsVersionWord);
    return Status();
}
DriverStatus DRIVER_CALL Pci(DriverHandle, uint32_t* device, uint32_t* subsystem, uint32_t* revision,
                             uint32_t* extDevice) {
    FUZZ_REQUIRE(device && subsystem && revision && extDevice);
    *device = g_in->ConsumeIntegral<uint32_t>();
    *subsystem = *revision = *extDevice = 0;
    return Status();
}
DriverStatus DRIVER_CALL QueryLevel(DriverHandle, uint32_t, void* record) {
    Fill(record, LevelClocksRecord::kVersionWord);
    std::memcpy(g_lastLevel, record, sizeof g_lastLevel);
    return Status();
}
// A clock the program changed is never 0 kHz: that would stop the card.
DriverStatus DRIVER_CALL ApplyLevel(DriverHandle, uint32_t, void* record) {
    namespace L = LevelClocksRecord;
    FUZZ_REQUIRE(record && LoadRecordWord(record, 0) == L::kVersionWord);
    for (size_t i = 0; i < L::kEntryCount; ++i) {
        const size_t at = L::Entry(i) + L::kCurrentKhz;
        const uint32_t sent = LoadRecordWord(record, at);
        FUZZ_REQUIRE(sent != 0 || LoadRecordWord(g_lastLevel, at) == 0);
    }
    uint32_t flags = LoadRecordWord(record, L::kHeaderFlags);
    if (g_in->ConsumeBool()) flags ^= L::kFlagTestPassed;
    StoreRecordWord(record, L::kHeaderFlags, flags);
    return Status();
}
DriverStatus DRIVER_CALL Snapshot(DriverHandle, void* record) {
    Fill(record, ClockSnapshotRecord::kVersionWord);
    return Status();
}
DriverStatus DRIVER_CALL MemoryType(DriverHandle, uint32_t* type) {
    FUZZ_REQUIRE(type != nullptr);
    *type = g_in->ConsumeIntegral<uint32_t>();
    return Status();
}
DriverStatus DRIVER_CALL QueryCoolers(DriverHandle, uint32_t, void* record) {
    Fill(record, CoolerSettingsRecord::kSmallVersionWord, CoolerSettingsRecord::kLargeVersionWord);
    return Status();
}
DriverStatus DRIVER_CALL ApplyCoolers(DriverHandle, uint32_t, void* record) {
    FUZZ_REQUIRE(record != nullptr);
    const uint32_t word = LoadRecordWord(record, 0);
    FUZZ_REQUIRE(word == CoolerLevelsRecord::kSmallVersionWord || word == CoolerLevelsRecord::kLargeVersionWord);
    return Status();
}

template <typename Fn>
void* Entry(Fn fn) {
    return reinterpret_cast<void*>(fn);
}

void* DRIVER_CALL Query(uint32_t id) {
    // Any id may be withheld.
    if (g_in->ConsumeIntegral<uint8_t>() == 0xFF) return nullptr;
    switch (id) {
    case 0x0150E828: return Entry<InitializeFn>(Initialize);
    case 0xE5AC921F: return Entry<EnumPhysicalGpusFn>(EnumGpus);
    case 0x9ABDD40D: return Entry<EnumDisplayHandleFn>(EnumDisplay);
    case 0xF951A4D1: return Entry<GetDriverVersionFn>(DriverVersion);
    case 0xADD604D1: return Entry<GetLogicalGpuFn>(Logical);
    case 0xAEA3FA32: return Entry<GetPhysicalGpusFn>(Members);
    case 0xE3640A56: return Entry<GetThermalSettingsFn>(Thermal);
    case 0x2DDFB66E: return Entry<GetPciIdentifiersFn>(Pci);
    case 0x1EA54A3B: return Entry<LevelClocksFn>(QueryLevel);
    case 0x07BCF4AC: return Entry<LevelClocksFn>(ApplyLevel);
    case 0x1BD69F49: return Entry<QueryClockSnapshotFn>(Snapshot);
    case 0x57F7CAAC: return Entry<QueryMemoryTypeFn>(MemoryType);
    case 0xDA141340: return Entry<CoolerRecordFn>(QueryCoolers);
    case 0x891FA0AE: return Entry<CoolerRecordFn>(ApplyCoolers);
    default: return nullptr;
    }
}

class CInputLibrary : public DriverLibrary {
public:
    bool Load() override { return g_in->ConsumeIntegral<uint8_t>() != 0xFF; }
    QueryInterfaceFn QueryEntry() override { return &Query; }
};

double Mhz() {
    switch (g_in->ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return g_in->ConsumeIntegralInRange<uint32_t>(0, 5000);
    case 1: return g_in->ConsumeFloatingPoint<double>();
    case 2: return std::numeric_limits<double>::quiet_NaN();
    default: return g_in->ConsumeProbability<double>() * 3000.0;
    }
}

CardClocks Clocks() { return {Mhz(), Mhz(), Mhz()}; }

void RunGpuOperation(CGpuControl& gpu, int op) {
    double core = 0, memory = 0, shader = 0;
    int value = -7;
    switch (op) {
    case 0: gpu.SelectGpu(g_in->ConsumeIntegral<uint32_t>()); break;
    case 1: {
        std::vector<uint32_t> list;
        if (gpu.GetGroupGpuIndexes(list))
            for (uint32_t index : list) FUZZ_REQUIRE(index < kMaxGpus);
        break;
    }
    case 2: gpu.GetLevelCurrentClocks(g_in->ConsumeIntegral<int>(), core, memory, shader); break;
    case 3: gpu.SetLevelClocks(g_in->ConsumeIntegral<int>(), Mhz(), Mhz(), Mhz()); break;
    case 4:
        if (gpu.TestLevelClocks(g_in->ConsumeIntegral<int>(), Mhz(), Mhz(), Mhz(), value))
            FUZZ_REQUIRE(value == 0 || value == 1);
        break;
    case 5: gpu.SetFanLevel(g_in->ConsumeBool() ? -1 : 0, g_in->ConsumeIntegral<int>()); break;
    case 6: {
        THERMAL_SETTINGS thermal;
        gpu.GetThermalSettings(&thermal);
        break;
    }
    case 7: gpu.GetLevelDefaultClocks(g_in->ConsumeIntegral<int>(), core, memory, shader); break;
    case 8: {
        uint16_t vendor = 0, device = 0;
        gpu.GetPciIds(vendor, device);
        break;
    }
    case 9: gpu.GetFanLevel(0, value); break;
    case 10: gpu.IsFanAutomatic(); break;
    case 11: {
        int32_t celsius = 0;
        uint32_t type = 0;
        gpu.GetTemperature(celsius);
        gpu.GetMemoryType(type);
        break;
    }
    default: {
        const double scale = gpu.GetMemoryScale();
        FUZZ_REQUIRE(scale == 0.5 || scale == 1.0);
        break;
    }
    }
}

void RunCardOperation(CCard& card, int op) {
    CardClocks clocks;
    int value = -7;
    switch (op) {
    case 0: card.CurrentClocks(clocks); break;
    case 1: card.DefaultClocks(clocks); break;
    case 2: {
        const CardFan fan = card.ReadFan();
        FUZZ_REQUIRE(fan.highestPercent >= 0);
        break;
    }
    case 3: FUZZ_REQUIRE(card.HottestTemperature() >= 0); break;
    case 4: {
        std::optional<CardClocks> to;
        if (g_in->ConsumeBool()) to = Clocks();
        std::optional<int> fan;
        if (g_in->ConsumeBool()) fan = g_in->ConsumeIntegralInRange<int>(-5, 260);
        card.Apply(to, fan);
        break;
    }
    case 5: card.Reset(); break;
    case 6: card.SetFan(g_in->ConsumeIntegralInRange<int>(-5, 260)); break;
    case 7: card.SetClocks(Clocks()); break;
    default:
        if (card.TestClocks(Clocks(), value)) FUZZ_REQUIRE(value == 0 || value == 1);
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    g_in = &in;
    std::memset(g_lastLevel, 0, sizeof g_lastLevel);
    CGpuControl gpu(std::make_unique<CInputLibrary>());
    try {
        gpu.Bind();
    } catch (const DriverBindError& error) {
        FUZZ_REQUIRE(error.status == kBindNoLibrary || error.status == kBindNoDriver ||
                error.status == kBindInitFailed);
    }
    CCard card(gpu);
    uint16_t vendor = 0, device = 0;
    card.Identify(vendor, device);
    for (uint32_t index : card.Group()) FUZZ_REQUIRE(index < kMaxGpus);
    for (int steps = 0; steps < 64 && in.remaining_bytes() > 0; ++steps) {
        constexpr int kGpuOperations = 13, kCardOperations = 9;
        const int op = in.ConsumeIntegralInRange<int>(0, kGpuOperations + kCardOperations - 1);
        if (op < kGpuOperations)
            RunGpuOperation(gpu, op);
        else
            RunCardOperation(card, op - kGpuOperations);
    }
    g_in = nullptr;
    return 0;
}
