#include "gpu/GpuControl.h"

#include <algorithm>
#include <iterator>

namespace {

// Whole MHz first, then floating point: the figures on screen never show kHz fractions.
double MhzFromKhz(uint32_t khz) { return static_cast<double>(khz / 1000); }

// Truncates toward zero. Requests outside the 32-bit field (negative, NaN, enormous) saturate
// instead of being converted out of range.
uint32_t KhzFromMhz(double mhz, double scale) {
    const double khz = mhz * 1000.0 / scale;
    if (!(khz > 0.0)) return 0;
    if (khz >= 4294967295.0) return 0xFFFFFFFFu;
    return static_cast<uint32_t>(khz);
}

uint32_t MemoryClassOfType(uint32_t type) {
    if (type >= 2 && type <= 7) return 2;
    if (type == 8) return 3;
    return 1;
}

}  // namespace

CGpuControl::CGpuControl(std::unique_ptr<DriverLibrary> library) : m_library(std::move(library)) {}

CGpuControl::~CGpuControl() = default;

void CGpuControl::Abandon(uint32_t status) {
    // A half-bound object must not reach the driver: every operation sees missing functions.
    std::fill(std::begin(m_functions), std::end(m_functions), nullptr);
    throw DriverBindError{status};
}

void CGpuControl::Bind() {
    if (!m_library || !m_library->Load()) throw DriverBindError{kBindNoLibrary};
    m_query = m_library->QueryEntry();
    if (!m_query) Abandon(kBindNoDriver);

    const DRIVER_INTERFACE& init = kDriverInterfaces[0];
    m_functions[init.position - 1] = m_query(init.id);
    const auto initialize = Function<InitializeFn>(kFnInitialize);
    if (!initialize) Abandon(kBindNoDriver);
    if (initialize() != 0) Abandon(kBindInitFailed);

    for (size_t i = 1; i < kDriverInterfaceCount; ++i)
        m_functions[kDriverInterfaces[i].position - 1] = m_query(kDriverInterfaces[i].id);

    std::fill(std::begin(m_gpus), std::end(m_gpus), nullptr);
    m_gpuCount = 0;
    const auto enumerate = Function<EnumPhysicalGpusFn>(kFnEnumPhysicalGpus);
    if (!enumerate) Abandon(kBindNoDriver);
    uint32_t count = 0;
    if (enumerate(m_gpus, &count) != 0 || count == 0) Abandon(kBindNoDriver);
    m_gpuCount = std::min(count, kMaxGpus);

    m_driverVersion = 0;
    const auto enumDisplay = Function<EnumDisplayHandleFn>(kFnEnumDisplayHandle);
    const auto getVersion = Function<GetDriverVersionFn>(kFnGetDisplayDriverVersion);
    DriverHandle display = nullptr;
    if (enumDisplay && getVersion && enumDisplay(0, &display) == 0) {
        CDriverRecord<DriverVersionRecord::kSize> record(DriverVersionRecord::kVersionWord);
        if (getVersion(display, record.Data()) == 0)
            m_driverVersion = record.Get(DriverVersionRecord::kDriverVersion);
    }

    // The driver wants one snapshot read before clock changes; what it says does not matter.
    const auto snapshot = Function<QueryClockSnapshotFn>(kFnQueryClockSnapshot);
    if (snapshot && m_selected < kMaxGpus) {
        CDriverRecord<ClockSnapshotRecord::kSize> record(ClockSnapshotRecord::kVersionWord);
        snapshot(m_gpus[m_selected], record.Data());
    }
}

void CGpuControl::RefreshGpus() {
    const auto enumerate = Function<EnumPhysicalGpusFn>(kFnEnumPhysicalGpus);
    if (!enumerate) return;
    uint32_t count = m_gpuCount;
    enumerate(m_gpus, &count);
    m_gpuCount = std::min(count, kMaxGpus);
}

bool CGpuControl::SelectedGpu(bool refresh, DriverHandle& gpu) {
    if (m_selected >= kMaxGpus) return false;
    if (refresh) RefreshGpus();
    gpu = m_gpus[m_selected];
    return true;
}

void CGpuControl::SelectGpu(uint32_t index) { m_selected = static_cast<uint8_t>(index); }

bool CGpuControl::GetGroupGpuIndexes(std::vector<uint32_t>& list) {
    const auto toLogical = Function<GetLogicalGpuFn>(kFnGetLogicalGpu);
    const auto toPhysical = Function<GetPhysicalGpusFn>(kFnGetPhysicalGpus);
    DriverHandle gpu;
    if (!toLogical || !toPhysical || !SelectedGpu(true, gpu)) return false;
    DriverHandle logical = nullptr;
    if (toLogical(gpu, &logical) != 0) return false;
    DriverHandle members[kMaxGpus] = {};
    uint32_t count = 0;
    if (toPhysical(logical, members, &count) != 0) return false;

    list.clear();
    for (uint32_t m = 0; m < std::min(count, kMaxGpus); ++m) {
        for (uint32_t i = 0; i < kMaxGpus && m_gpus[i]; ++i) {
            if (m_gpus[i] == members[m]) {
                list.push_back(i);
                break;
            }
        }
    }
    return true;
}

bool CGpuControl::GetPciIds(uint16_t& vendor, uint16_t& device) {
    const auto get = Function<GetPciIdentifiersFn>(kFnGetPciIdentifiers);
    DriverHandle gpu;
    if (!get || !SelectedGpu(true, gpu)) return false;
    uint32_t deviceWord = 0, subsystem = 0, revision = 0, extDevice = 0;
    if (get(gpu, &deviceWord, &subsystem, &revision, &extDevice) != 0) return false;
    vendor = static_cast<uint16_t>(deviceWord & 0xFFFF);
    device = static_cast<uint16_t>(deviceWord >> 16);
    return true;
}

bool CGpuControl::QueryLevel(int level, bool refresh, void* record, DriverHandle& gpu) {
    const auto query = Function<LevelClocksFn>(kFnQueryLevelClocks);
    if (!query || !SelectedGpu(refresh, gpu)) return false;
    return query(gpu, static_cast<uint32_t>(level), record) == 0;
}

bool CGpuControl::ReadLevelClocks(int level, bool defaults, double& core, double& memory,
                                  double& shader) {
    namespace L = LevelClocksRecord;
    CDriverRecord<L::kSize> record(L::kVersionWord);
    DriverHandle gpu;
    if (!QueryLevel(level, true, record.Data(), gpu)) return false;
    for (size_t i = 0; i < L::kEntryCount; ++i) {
        const size_t entry = L::Entry(i);
        const uint32_t khz = record.Get(entry + (defaults ? L::kDefaultKhz : L::kCurrentKhz));
        if (khz == 0) continue;
        switch (ClockOfDomainCode(record.Get(entry + L::kCode))) {
        case ClockDomain::kCore: core = MhzFromKhz(khz); break;
        case ClockDomain::kMemory: memory = MhzFromKhz(khz); break;
        case ClockDomain::kShader: shader = MhzFromKhz(khz); break;
        case ClockDomain::kNone: break;
        }
    }
    memory *= GetMemoryScale();
    return true;
}

bool CGpuControl::GetLevelDefaultClocks(int level, double& core, double& memory, double& shader) {
    return ReadLevelClocks(level, true, core, memory, shader);
}

bool CGpuControl::GetLevelCurrentClocks(int level, double& core, double& memory, double& shader) {
    return ReadLevelClocks(level, false, core, memory, shader);
}

// With passed non-null this is a clock test: the handles of the last enumeration are used and
// the driver only judges the clocks.
bool CGpuControl::WriteLevelClocks(int level, double core, double memory, double shader,
                                   int* passed) {
    namespace L = LevelClocksRecord;
    const auto apply = Function<LevelClocksFn>(kFnApplyLevelClocks);
    if (!apply) return false;
    CDriverRecord<L::kSize> record(L::kVersionWord);
    DriverHandle gpu;
    if (!QueryLevel(level, passed == nullptr, record.Data(), gpu)) return false;

    const uint32_t coreKhz = KhzFromMhz(core, 1.0);
    const uint32_t memoryKhz = KhzFromMhz(memory, GetMemoryScale());
    const uint32_t shaderKhz = KhzFromMhz(shader, 1.0);
    for (size_t i = 0; i < L::kEntryCount; ++i) {
        const size_t entry = L::Entry(i);
        if (record.Get(entry + L::kDefaultKhz) == 0) continue;
        uint32_t khz;
        switch (ClockOfDomainCode(record.Get(entry + L::kCode))) {
        case ClockDomain::kCore: khz = coreKhz; break;
        case ClockDomain::kMemory: khz = memoryKhz; break;
        case ClockDomain::kShader: khz = shaderKhz; break;
        default: continue;
        }
        // Shader 0 means no separate shader clock; a core or memory clock of 0 (an unreadable
        // default, a request below 1 kHz, NaN) would stop the card. Either way: leave it alone.
        if (khz == 0) continue;
        record.Put(entry + L::kCurrentKhz, khz);
        record.Put(entry + L::kEntryFlags, record.Get(entry + L::kEntryFlags) | L::kEntryWritten);
    }
    if (passed)
        record.Put(L::kHeaderFlags, record.Get(L::kHeaderFlags) | L::kFlagClockTest);

    if (apply(gpu, static_cast<uint32_t>(level), record.Data()) != 0) return false;
    if (passed) *passed = (record.Get(L::kHeaderFlags) & L::kFlagTestPassed) ? 1 : 0;
    return true;
}

bool CGpuControl::SetLevelClocks(int level, double core, double memory, double shader) {
    return WriteLevelClocks(level, core, memory, shader, nullptr);
}

bool CGpuControl::TestLevelClocks(int level, double core, double memory, double shader,
                                  int& passed) {
    int result = 0;
    if (!WriteLevelClocks(level, core, memory, shader, &result)) return false;
    passed = result;
    return true;
}

bool CGpuControl::LargeCoolerLayout() const {
    return m_driverVersion >= kLargeCoolerDriverVersion;
}

DriverStatus CGpuControl::QueryCoolers(DriverHandle gpu, void* record) {
    StoreRecordWord(record, 0, LargeCoolerLayout() ? CoolerSettingsRecord::kLargeVersionWord
                                                   : CoolerSettingsRecord::kSmallVersionWord);
    return Function<CoolerRecordFn>(kFnQueryCoolerSettings)(gpu, kCoolerTargetAll, record);
}

bool CGpuControl::GetFanLevel(int, int& percent) {
    namespace C = CoolerSettingsRecord;
    DriverHandle gpu;
    if (!Function<CoolerRecordFn>(kFnQueryCoolerSettings) || !SelectedGpu(true, gpu)) return false;
    CDriverRecord<C::kLargeSize> record(0);
    if (QueryCoolers(gpu, record.Data()) != 0 || record.Get(C::kCount) == 0) return false;
    percent = static_cast<int>(record.Get(C::Cooler(0) + C::kCurrentLevel));
    return true;
}

bool CGpuControl::SetFanLevel(int mode, int percent) {
    namespace C = CoolerSettingsRecord;
    namespace V = CoolerLevelsRecord;
    const auto apply = Function<CoolerRecordFn>(kFnApplyCoolerLevels);
    DriverHandle gpu;
    if (!Function<CoolerRecordFn>(kFnQueryCoolerSettings) || !apply || !SelectedGpu(true, gpu))
        return false;
    CDriverRecord<C::kLargeSize> settings(0);
    if (QueryCoolers(gpu, settings.Data()) != 0 || settings.Get(C::kCount) == 0) return false;

    CDriverRecord<V::kLargeSize> levels(LargeCoolerLayout() ? V::kLargeVersionWord
                                                            : V::kSmallVersionWord);
    levels.Put(V::Level(0), static_cast<uint32_t>(percent));
    levels.Put(V::Policy(0), mode == -1 ? settings.Get(C::Cooler(0) + C::kDefaultPolicy)
                                        : kCoolerPolicyFixedLevel);
    return apply(gpu, kCoolerTargetAll, levels.Data()) == 0;
}

bool CGpuControl::IsFanAutomatic() {
    namespace C = CoolerSettingsRecord;
    DriverHandle gpu;
    if (!Function<CoolerRecordFn>(kFnQueryCoolerSettings) || !SelectedGpu(true, gpu)) return false;
    CDriverRecord<C::kLargeSize> record(0);
    const bool read = QueryCoolers(gpu, record.Data()) == 0;
    // The two driver generations answer a failed or empty read differently.
    if (LargeCoolerLayout()) {
        if (!read || record.Get(C::kCount) == 0) return true;
    } else if (!read) {
        return false;
    }
    return record.Get(C::Cooler(0) + C::kCurrentPolicy) != kCoolerPolicyFixedLevel;
}

bool CGpuControl::GetThermalSettings(THERMAL_SETTINGS* record) {
    if (!record) return false;
    *record = THERMAL_SETTINGS{};
    const auto get = Function<GetThermalSettingsFn>(kFnGetThermalSettings);
    DriverHandle gpu;
    if (!get || !SelectedGpu(true, gpu)) return false;
    record->version = kThermalSettingsVersionWord;
    if (get(gpu, kThermalAllSensors, record) == 0) return true;
    *record = THERMAL_SETTINGS{};
    return false;
}

bool CGpuControl::GetTemperature(int32_t& celsius) {
    THERMAL_SETTINGS record;
    if (!GetThermalSettings(&record)) return false;
    celsius = record.sensor[0].currentTemp;
    return true;
}

bool CGpuControl::GetMemoryType(uint32_t& type) {
    const auto query = Function<QueryMemoryTypeFn>(kFnQueryMemoryType);
    DriverHandle gpu;
    if (!query || !SelectedGpu(true, gpu)) return false;
    uint32_t code = 0;
    if (query(gpu, &code) != 0) return false;
    type = code;
    return true;
}

double CGpuControl::GetMemoryScale() {
    if (m_memoryClass == 0) {
        uint32_t type = 0;
        m_memoryClass = GetMemoryType(type) ? MemoryClassOfType(type) : 1;
    }
    return m_memoryClass == 3 ? 0.5 : 1.0;
}
