#include "sim/driver/SimDriver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <map>
#include <optional>

#include "gpu/DriverInterface.h"
#include "gpu/DriverRecords.h"
#include "sim/driver/SimClockTest.h"

namespace simdriver {
namespace {

constexpr uintptr_t kGpuHandleBase = 0x00100000;
constexpr uintptr_t kLogicalHandleBase = 0x00200000;
constexpr uintptr_t kSoloLogicalBase = 0x00300000;
constexpr uintptr_t kDisplayHandle = 0x00400000;
constexpr uintptr_t kHandleStep = 0x100;
constexpr size_t kCallsKept = 4096;

struct State {
    SimCard card = DefaultCard();
    bool loaded = false;
    bool initialized = false;
    std::string journalPath;
    CSimFlips flips{0};
    std::vector<SimCall> calls;
    std::map<std::string, std::vector<uint8_t>> received;
    std::map<std::string, std::vector<uint8_t>> answered;
};

State& S() {
    static State state;
    return state;
}

DriverHandle GpuHandle(uint32_t index) {
    return reinterpret_cast<DriverHandle>(kGpuHandleBase + kHandleStep * index);
}

// Index the handle names, which may be a GPU the card does not have; -1 when none.
long HandleIndex(DriverHandle handle, uintptr_t base, uint32_t slots) {
    const uintptr_t value = reinterpret_cast<uintptr_t>(handle);
    if (value < base || (value - base) % kHandleStep != 0) return -1;
    const uintptr_t index = (value - base) / kHandleStep;
    return index < slots ? static_cast<long>(index) : -1;
}

void AppendJournal(const SimCall& call) {
    if (S().journalPath.empty()) return;
    // Open and close each time: other programs may write to the same journal before and after.
    if (std::FILE* file = std::fopen(S().journalPath.c_str(), "ab")) {
        // Wall-clock microseconds, so a script can time a click against the driver call it caused.
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        const long long micros = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
        const std::string line = "{\"t_us\":" + std::to_string(micros) + "," + call.Json().substr(1) + "\n";
        std::fwrite(line.data(), 1, line.size(), file);
        std::fclose(file);
    }
}

void KeepBytes(std::map<std::string, std::vector<uint8_t>>& kept, const std::string& fn,
               const void* record, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(record);
    kept[fn].assign(bytes, bytes + size);
}

// One call in progress: gates it, collects its journal fields, records it when it ends.
class CCall {
public:
    explicit CCall(const char* fn) { m_call.fn = fn; }

    // Everything but initialising waits for NvAPI_Initialize; a card-wide failure overrides.
    std::optional<int32_t> Gate() const {
        if (!S().initialized && m_call.fn != "NvAPI_Initialize") return kStatusNotInitialized;
        const auto failure = S().card.failures.find(m_call.fn);
        if (failure != S().card.failures.end()) return failure->second;
        return LiveFailure(m_call.fn);
    }

    std::optional<int32_t> GateGpu(DriverHandle handle, SimGpu*& gpu) {
        if (const auto status = Gate()) return status;
        const long index = HandleIndex(handle, kGpuHandleBase, kMaxSimGpus);
        if (index < 0 || static_cast<size_t>(index) >= S().card.gpus.size()) {
            m_call.gpu = SimCall::kUnknownGpu;
            return kStatusInvalidHandle;
        }
        m_call.gpu = static_cast<int>(index);
        gpu = &S().card.gpus[index];
        const auto failure = gpu->failures.find(m_call.fn);
        if (failure != gpu->failures.end()) return failure->second;
        return std::nullopt;
    }

    // The record's version word when it is one the call takes (keeping the bytes); 0 if not.
    uint32_t Accept(const void* record, std::initializer_list<uint32_t> versions) {
        if (!record) return 0;
        const uint32_t word = LoadRecordWord(record, 0);
        for (const uint32_t version : versions) {
            if (word == version) {
                KeepBytes(S().received, m_call.fn, record, RecordSizeOf(word));
                return word;
            }
        }
        KeepBytes(S().received, m_call.fn, record, 4);
        return 0;
    }
    void Answered(const void* record, uint32_t versionWord) {
        KeepBytes(S().answered, m_call.fn, record, RecordSizeOf(versionWord));
    }

    void Add(const char* key, long long value) { m_call.fields.emplace_back(key, std::to_string(value)); }
    void AddFlag(const char* key, bool value) { m_call.fields.emplace_back(key, value ? "true" : "false"); }
    void AddText(const char* key, const char* value) {
        m_call.fields.emplace_back(key, std::string("\"") + value + "\"");
    }

    int32_t End(int32_t status) {
        m_call.status = status;
        auto& calls = S().calls;
        if (calls.size() >= kCallsKept) calls.erase(calls.begin(), calls.begin() + kCallsKept / 2);
        calls.push_back(m_call);
        AppendJournal(m_call);
        return status;
    }

private:
    SimCall m_call;
};

const std::vector<SimDomain>* TopLevel(const SimGpu& gpu) {
    return gpu.levels.empty() ? nullptr : &gpu.levels.rbegin()->second;
}

// ---- the driver's functions -------------------------------------------------------------

DriverStatus DRIVER_CALL Initialize() {
    CCall call("NvAPI_Initialize");
    if (const auto status = call.Gate()) return call.End(*status);
    S().initialized = true;
    return call.End(0);
}

DriverStatus DRIVER_CALL EnumPhysicalGpus(DriverHandle* handles, uint32_t* count) {
    CCall call("NvAPI_EnumPhysicalGPUs");
    if (const auto status = call.Gate()) return call.End(*status);
    if (!handles || !count) return call.End(kStatusInvalidArgument);
    const uint32_t gpus = static_cast<uint32_t>(S().card.gpus.size());
    // A card of more GPUs than the array holds reports its true count: the caller must cope.
    for (uint32_t i = 0; i < std::min(gpus, kMaxGpus); ++i) handles[i] = GpuHandle(i);
    *count = gpus;
    call.Add("count", gpus);
    return call.End(0);
}

DriverStatus DRIVER_CALL EnumDisplayHandle(uint32_t index, DriverHandle* display) {
    CCall call("NvAPI_EnumNvidiaDisplayHandle");
    if (const auto status = call.Gate()) return call.End(*status);
    if (!display) return call.End(kStatusInvalidArgument);
    if (index != 0 || S().card.gpus.empty()) return call.End(kStatusEndEnumeration);
    *display = reinterpret_cast<DriverHandle>(kDisplayHandle);
    return call.End(0);
}

DriverStatus DRIVER_CALL GetDriverVersion(DriverHandle display, void* record) {
    namespace R = DriverVersionRecord;
    CCall call("NvAPI_GetDisplayDriverVersion");
    if (const auto status = call.Gate()) return call.End(*status);
    if (reinterpret_cast<uintptr_t>(display) != kDisplayHandle) return call.End(kStatusInvalidHandle);
    if (!call.Accept(record, {R::kVersionWord})) return call.End(kStatusIncompatibleVersion);
    if (!S().card.driverVersionReadable) return call.End(kStatusError);
    StoreRecordWord(record, R::kDriverVersion, S().card.driverVersion);
    call.Answered(record, R::kVersionWord);
    return call.End(0);
}

DriverStatus DRIVER_CALL GetLogicalGpu(DriverHandle handle, DriverHandle* logical) {
    CCall call("NvAPI_GetLogicalGPUFromPhysicalGPU");
    SimGpu* gpu = nullptr;
    if (const auto status = call.GateGpu(handle, gpu)) return call.End(*status);
    if (!logical) return call.End(kStatusInvalidArgument);
    const uint32_t index = static_cast<uint32_t>(HandleIndex(handle, kGpuHandleBase, kMaxSimGpus));
    const auto& groups = S().card.groups;
    for (size_t g = 0; g < groups.size(); ++g) {
        if (std::find(groups[g].begin(), groups[g].end(), index) != groups[g].end()) {
            *logical = reinterpret_cast<DriverHandle>(kLogicalHandleBase + kHandleStep * g);
            return call.End(0);
        }
    }
    *logical = reinterpret_cast<DriverHandle>(kSoloLogicalBase + kHandleStep * index);
    return call.End(0);
}

DriverStatus DRIVER_CALL GetPhysicalGpus(DriverHandle logical, DriverHandle* handles,
                                         uint32_t* count) {
    CCall call("NvAPI_GetPhysicalGPUsFromLogicalGPU");
    if (const auto status = call.Gate()) return call.End(*status);
    if (!handles || !count) return call.End(kStatusInvalidArgument);
    std::vector<uint32_t> members;
    const auto& groups = S().card.groups;
    const long group = HandleIndex(logical, kLogicalHandleBase, kMaxSimGpus);
    const long solo = HandleIndex(logical, kSoloLogicalBase, kMaxSimGpus);
    if (group >= 0 && static_cast<size_t>(group) < groups.size())
        members = groups[group];
    else if (solo >= 0 && static_cast<size_t>(solo) < S().card.gpus.size())
        members = {static_cast<uint32_t>(solo)};
    else
        return call.End(kStatusInvalidHandle);
    const uint32_t n = static_cast<uint32_t>(members.size());
    for (uint32_t i = 0; i < std::min(n, kMaxGpus); ++i) handles[i] = GpuHandle(members[i]);
    *count = n;
    call.Add("count", n);
    return call.End(0);
}

DriverStatus DRIVER_CALL GetThermalSettings(DriverHandle handle, uint32_t sensorIndex, void* record) {
    CCall call("NvAPI_GPU_GetThermalSettings");
    call.Add("sensor", sensorIndex);
    SimGpu* gpu = nullptr;
    if (const auto status = call.GateGpu(handle, gpu)) return call.End(*status);
    if (!call.Accept(record, {kThermalSettingsVersionWord})) return call.End(kStatusIncompatibleVersion);
    if (sensorIndex != kThermalAllSensors && sensorIndex >= gpu->sensors)
        return call.End(kStatusInvalidArgument);
    THERMAL_SETTINGS settings;
    std::memcpy(&settings, record, sizeof settings);
    settings.count = gpu->sensors;
    const int32_t celsius = SimTemperature(*gpu);
    for (uint32_t s = 0; s < gpu->sensors; ++s) settings.sensor[s] = {1, 0, 127, celsius, 1};
    std::memcpy(record, &settings, sizeof settings);
    call.Answered(record, kThermalSettingsVersionWord);
    call.Add("celsius", celsius);
    return call.End(0);
}

DriverStatus DRIVER_CALL GetPciIdentifiers(DriverHandle handle, uint32_t* device,
                                           uint32_t* subsystem, uint32_t* revision,
                                           uint32_t* extDevice) {
    CCall call("NvAPI_GPU_GetPCIIdentifiers");
    SimGpu* gpu = nullptr;
    if (const auto status = call.GateGpu(handle, gpu)) return call.End(*status);
    if (!device || !subsystem || !revision || !extDevice) return call.End(kStatusInvalidArgument);
    *device = gpu->vendor | (uint32_t(gpu->device) << 16);
    *subsystem = gpu->subsystem;
    *revision = gpu->revision;
    *extDevice = *device;
    return call.End(0);
}

DriverStatus DRIVER_CALL QueryLevelClocks(DriverHandle handle, uint32_t level, void* record) {
    namespace L = LevelClocksRecord;
    CCall call("QueryLevelClocks");
    call.Add("level", level);
    SimGpu* gpu = nullptr;
    if (const auto status = call.GateGpu(handle, gpu)) return call.End(*status);
    if (!call.Accept(record, {L::kVersionWord})) return call.End(kStatusIncompatibleVersion);
    const auto found = gpu->levels.find(level);
    if (found == gpu->levels.end()) return call.End(kStatusInvalidArgument);
    const std::vector<SimDomain>& domains = found->second;
    for (size_t i = 0; i < domains.size() && i < L::kEntryCount; ++i) {
        StoreRecordWord(record, L::Entry(i) + L::kCode, domains[i].code);
        StoreRecordWord(record, L::Entry(i) + L::kCurrentKhz, domains[i].currentKhz);
        StoreRecordWord(record, L::Entry(i) + L::kDefaultKhz, domains[i].defaultKhz);
        StoreRecordWord(record, L::Entry(i) + L::kEntryFlags, 0);
    }
    call.Answered(record, L::kVersionWord);
    return call.End(0);
}

// The clock an entry of the level record writes to the level's domain i; nullopt when none.
std::optional<uint32_t> WrittenKhz(const void* record, size_t i, uint32_t code) {
    namespace L = LevelClocksRecord;
    const size_t entry = L::Entry(i);
    if (!(LoadRecordWord(record, entry + L::kEntryFlags) & L::kEntryWritten)) return std::nullopt;
    if (LoadRecordWord(record, entry + L::kCode) != code) return std::nullopt;
    return LoadRecordWord(record, entry + L::kCurrentKhz);
}

std::vector<SimTestedClock> TestedClocks(const std::vector<SimDomain>& domains, const void* record) {
    std::vector<SimTestedClock> clocks;
    for (size_t i = 0; i < domains.size() && i < LevelClocksRecord::kEntryCount; ++i) {
        const auto khz = WrittenKhz(record, i, domains[i].code);
        clocks.push_back({ClockOfDomainCode(domains[i].code), khz.value_or(domains[i].currentKhz),
                          domains[i].defaultKhz, khz.has_value()});
    }
    return clocks;
}

// The test's answer after its delay; a request at the crash clock journals itself and ends the
// process, as a machine going down ends everything.
bool AnswerClockTest(CCall& call, const std::vector<SimTestedClock>& clocks) {
    const SimCard& card = S().card;
    if (card.clockTestDelayMs > 0) WaitMilliseconds(card.clockTestDelayMs);
    if (card.clockTestCrashCoreKhz) {
        for (const SimTestedClock& c : clocks) {
            if (c.clock != ClockDomain::kCore || c.khz < *card.clockTestCrashCoreKhz) continue;
            call.AddFlag("crashed", true);
            call.End(0);
            EndProcessAtOnce();
        }
    }
    const SimTestVerdict verdict = JudgeClockTest(card, clocks);
    const bool flipped = card.clockTestFlipChance > 0.0 && S().flips.Next(card.clockTestFlipChance);
    return verdict == SimTestVerdict::kPasses || (verdict == SimTestVerdict::kPassesNearEdge && !flipped);
}

DriverStatus DRIVER_CALL ApplyLevelClocks(DriverHandle handle, uint32_t level, void* record) {
    namespace L = LevelClocksRecord;
    CCall call("ApplyLevelClocks");
    call.Add("level", level);
    SimGpu* gpu = nullptr;
    if (const auto status = call.GateGpu(handle, gpu)) return call.End(*status);
    if (!call.Accept(record, {L::kVersionWord})) return call.End(kStatusIncompatibleVersion);
    const uint32_t flags = LoadRecordWord(record, L::kHeaderFlags);
    const bool test = (flags & L::kFlagClockTest) != 0;
    call.AddFlag("test", test);

    // The entries marked written, as the journal reports them.
    std::optional<uint32_t> khzOf[4];
    for (size_t i = 0; i < L::kEntryCount; ++i) {
        if (!(LoadRecordWord(record, L::Entry(i) + L::kEntryFlags) & L::kEntryWritten)) continue;
        const ClockDomain clock = ClockOfDomainCode(LoadRecordWord(record, L::Entry(i) + L::kCode));
        khzOf[static_cast<int>(clock)] = LoadRecordWord(record, L::Entry(i) + L::kCurrentKhz);
    }
    const char* names[4] = {nullptr, "core_khz", "memory_khz", "shader_khz"};
    for (int c = 1; c < 4; ++c)
        if (khzOf[c]) call.Add(names[c], *khzOf[c]);

    const auto found = gpu->levels.find(level);
    if (found == gpu->levels.end()) return call.End(kStatusInvalidArgument);
    std::vector<SimDomain>& domains = found->second;
    if (test && !S().card.clockTestSupported) return call.End(kStatusNotSupported);

    if (test) {
        const bool passed = AnswerClockTest(call, TestedClocks(domains, record));
        call.AddFlag("passed", passed);
        if (passed) StoreRecordWord(record, L::kHeaderFlags, flags | L::kFlagTestPassed);
    } else {
        for (size_t i = 0; i < domains.size() && i < L::kEntryCount; ++i)
            if (const auto khz = WrittenKhz(record, i, domains[i].code)) domains[i].currentKhz = *khz;
    }
    call.Answered(record, L::kVersionWord);
    return call.End(0);
}

DriverStatus DRIVER_CALL QueryClockSnapshot(DriverHandle handle, void* record) {
    namespace R = ClockSnapshotRecord;
    CCall call("QueryClockSnapshot");
    SimGpu* gpu = nullptr;
    if (const auto status = call.GateGpu(handle, gpu)) return call.End(*status);
    if (!call.Accept(record, {R::kVersionWord})) return call.End(kStatusIncompatibleVersion);
    if (const std::vector<SimDomain>* top = TopLevel(*gpu)) {
        for (size_t i = 0; i < top->size() && i < R::kClockCount; ++i)
            StoreRecordWord(record, R::Clock(i), (*top)[i].currentKhz);
    }
    call.Answered(record, R::kVersionWord);
    return call.End(0);
}

DriverStatus DRIVER_CALL QueryMemoryType(DriverHandle handle, uint32_t* type) {
    CCall call("QueryMemoryType");
    SimGpu* gpu = nullptr;
    if (const auto status = call.GateGpu(handle, gpu)) return call.End(*status);
    if (!type) return call.End(kStatusInvalidArgument);
    if (!gpu->memoryTypeReadable) return call.End(kStatusNotSupported);
    *type = gpu->memoryType;
    call.Add("type", gpu->memoryType);
    return call.End(0);
}

DriverStatus DRIVER_CALL QueryCoolerSettings(DriverHandle handle, uint32_t target, void* record) {
    namespace C = CoolerSettingsRecord;
    CCall call("QueryCoolerSettings");
    call.Add("target", target);
    SimGpu* gpu = nullptr;
    if (const auto status = call.GateGpu(handle, gpu)) return call.End(*status);
    const uint32_t version = call.Accept(record, {C::kSmallVersionWord, C::kLargeVersionWord});
    if (!version) return call.End(kStatusIncompatibleVersion);
    const bool large = version == C::kLargeVersionWord;
    call.AddText("layout", large ? "large" : "small");
    if (target != kCoolerTargetAll) return call.End(kStatusInvalidArgument);
    const uint32_t count = std::min<uint32_t>(static_cast<uint32_t>(gpu->coolers.size()),
                                              large ? C::kLargeCoolers : C::kSmallCoolers);
    StoreRecordWord(record, C::kCount, count);
    for (uint32_t c = 0; c < count; ++c) {
        StoreRecordWord(record, C::Cooler(c) + C::kCurrentLevel, gpu->coolers[c].level);
        StoreRecordWord(record, C::Cooler(c) + C::kDefaultPolicy, gpu->coolers[c].defaultPolicy);
        StoreRecordWord(record, C::Cooler(c) + C::kCurrentPolicy, gpu->coolers[c].policy);
    }
    call.Answered(record, version);
    return call.End(0);
}

DriverStatus DRIVER_CALL ApplyCoolerLevels(DriverHandle handle, uint32_t target, void* record) {
    namespace V = CoolerLevelsRecord;
    CCall call("ApplyCoolerLevels");
    call.Add("target", target);
    SimGpu* gpu = nullptr;
    if (const auto status = call.GateGpu(handle, gpu)) return call.End(*status);
    const uint32_t version = call.Accept(record, {V::kSmallVersionWord, V::kLargeVersionWord});
    if (!version) return call.End(kStatusIncompatibleVersion);
    const bool large = version == V::kLargeVersionWord;
    call.AddText("layout", large ? "large" : "small");
    call.Add("level", LoadRecordWord(record, V::Level(0)));
    call.Add("policy", LoadRecordWord(record, V::Policy(0)));
    if (target != kCoolerTargetAll) return call.End(kStatusInvalidArgument);
    if (gpu->coolers.empty()) return call.End(kStatusNotSupported);

    const size_t count = std::min<size_t>(gpu->coolers.size(), large ? V::kLargeCoolers : V::kSmallCoolers);
    for (size_t c = 0; c < count; ++c) {
        if (LoadRecordWord(record, V::Policy(c)) == kCoolerPolicyFixedLevel &&
            LoadRecordWord(record, V::Level(c)) > 100)
            return call.End(kStatusInvalidArgument);
    }
    for (size_t c = 0; c < count; ++c) {
        const uint32_t policy = LoadRecordWord(record, V::Policy(c));
        // Entries beyond cooler 0 left at zero mean "unchanged".
        if (c > 0 && policy == 0) continue;
        SimCooler& cooler = gpu->coolers[c];
        if (policy == cooler.defaultPolicy) {
            cooler.policy = cooler.defaultPolicy;
            cooler.level = cooler.defaultLevel;  // automatic control picks its own level
        } else {
            cooler.policy = policy;
            cooler.level = LoadRecordWord(record, V::Level(c));
        }
    }
    return call.End(0);
}

// ---- the query entry ----------------------------------------------------------------------

void* Implementation(DriverFunction function) {
    switch (function) {
    case kFnInitialize: return reinterpret_cast<void*>(static_cast<InitializeFn>(Initialize));
    case kFnEnumPhysicalGpus: return reinterpret_cast<void*>(static_cast<EnumPhysicalGpusFn>(EnumPhysicalGpus));
    case kFnEnumDisplayHandle: return reinterpret_cast<void*>(static_cast<EnumDisplayHandleFn>(EnumDisplayHandle));
    case kFnGetDisplayDriverVersion: return reinterpret_cast<void*>(static_cast<GetDriverVersionFn>(GetDriverVersion));
    case kFnGetLogicalGpu: return reinterpret_cast<void*>(static_cast<GetLogicalGpuFn>(GetLogicalGpu));
    case kFnGetPhysicalGpus: return reinterpret_cast<void*>(static_cast<GetPhysicalGpusFn>(GetPhysicalGpus));
    case kFnGetThermalSettings: return reinterpret_cast<void*>(static_cast<GetThermalSettingsFn>(GetThermalSettings));
    case kFnGetPciIdentifiers: return reinterpret_cast<void*>(static_cast<GetPciIdentifiersFn>(GetPciIdentifiers));
    case kFnQueryLevelClocks: return reinterpret_cast<void*>(static_cast<LevelClocksFn>(QueryLevelClocks));
    case kFnApplyLevelClocks: return reinterpret_cast<void*>(static_cast<LevelClocksFn>(ApplyLevelClocks));
    case kFnQueryClockSnapshot: return reinterpret_cast<void*>(static_cast<QueryClockSnapshotFn>(QueryClockSnapshot));
    case kFnQueryMemoryType: return reinterpret_cast<void*>(static_cast<QueryMemoryTypeFn>(QueryMemoryType));
    case kFnQueryCoolerSettings: return reinterpret_cast<void*>(static_cast<CoolerRecordFn>(QueryCoolerSettings));
    case kFnApplyCoolerLevels: return reinterpret_cast<void*>(static_cast<CoolerRecordFn>(ApplyCoolerLevels));
    }
    return nullptr;
}

}  // namespace

std::string SimCall::Field(const std::string& key) const {
    for (const auto& field : fields)
        if (field.first == key) return field.second;
    return {};
}

std::string SimCall::Json() const {
    std::string json = "{\"fn\":\"" + fn + "\"";
    if (gpu == kUnknownGpu)
        json += ",\"gpu\":null";
    else if (gpu != kNoGpu)
        json += ",\"gpu\":" + std::to_string(gpu);
    json += ",\"status\":" + std::to_string(status);
    for (const auto& field : fields) json += ",\"" + field.first + "\":" + field.second;
    return json + "}";
}

void* QueryInterface(uint32_t id) {
    if (!S().loaded) LoadFromEnvironment();
    if (S().card.withheld.count(id)) return nullptr;
    for (const DRIVER_INTERFACE& entry : kDriverInterfaces)
        if (entry.id == id) return Implementation(static_cast<DriverFunction>(entry.position));
    return nullptr;
}

void Load(const SimCard& card) {
    State& s = S();
    s.card = card;
    s.loaded = true;
    s.initialized = false;
    s.flips = CSimFlips(card.clockTestFlipSeed);
    s.calls.clear();
    s.received.clear();
    s.answered.clear();
    s.journalPath = NativePath(EnvironmentVariable("OSKARA_SIM_JOURNAL"));
}

void LoadText(const std::string& cardText) { Load(ParseCard(cardText)); }

void LoadFromEnvironment() {
    const std::string path = NativePath(EnvironmentVariable("OSKARA_SIM_CARD"));
    Load(path.empty() ? DefaultCard() : ParseCard(ReadTextFile(path)));
}

const SimCard& Card() { return S().card; }
const std::vector<SimCall>& Calls() { return S().calls; }

size_t CallCount(const std::string& fn) {
    return static_cast<size_t>(std::count_if(S().calls.begin(), S().calls.end(),
                                              [&](const SimCall& call) { return call.fn == fn; }));
}

void ClearCalls() { S().calls.clear(); }

std::vector<uint8_t> ReceivedRecord(const std::string& fn) {
    const auto found = S().received.find(fn);
    return found == S().received.end() ? std::vector<uint8_t>{} : found->second;
}

std::vector<uint8_t> AnsweredRecord(const std::string& fn) {
    const auto found = S().answered.find(fn);
    return found == S().answered.end() ? std::vector<uint8_t>{} : found->second;
}

}  // namespace simdriver
