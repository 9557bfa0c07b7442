// A driver answering garbage: random records, absurd counts, stray handles, random statuses.
// Nothing may crash or touch memory outside its buffers (the sanitizers watch).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "gpu/GpuControl.h"

namespace {

std::mt19937 g_random;

uint32_t Word() { return g_random(); }

uint32_t AbsurdCount() {
    static const uint32_t counts[] = {0, 1, 2, 63, 64, 65, 200, 0x7FFFFFFF, 0xFFFFFFFF};
    return g_random() % 2 ? counts[g_random() % 9] : Word();
}

DriverHandle StrayHandle() {
    // Mostly from a small pool, so that group searches find something now and then.
    switch (g_random() % 4) {
    case 0: return nullptr;
    case 1: return reinterpret_cast<DriverHandle>(static_cast<uintptr_t>(Word()));
    default: return reinterpret_cast<DriverHandle>(static_cast<uintptr_t>(0x1000 + 0x10 * (g_random() % 8)));
    }
}

DriverStatus Status() { return g_random() % 5 == 0 ? static_cast<DriverStatus>(Word() | 1) : 0; }

// Fills as many bytes as the version word claims: a program passing a buffer smaller than the
// size it declares is caught here.
void Scribble(void* record) {
    const uint32_t size = RecordSizeOf(LoadRecordWord(record, 0));
    auto* bytes = static_cast<uint8_t*>(record);
    for (uint32_t i = 4; i < size; ++i) bytes[i] = static_cast<uint8_t>(g_random());
}

void Handles(DriverHandle* handles) {
    for (uint32_t i = 0; i < kMaxGpus; ++i) handles[i] = StrayHandle();
}

DriverStatus DRIVER_CALL FakeInitialize() { return g_random() % 10 == 0 ? -1 : 0; }
DriverStatus DRIVER_CALL FakeEnum(DriverHandle* handles, uint32_t* count) {
    Handles(handles);
    *count = AbsurdCount();
    return Status();
}
DriverStatus DRIVER_CALL FakeDisplay(uint32_t, DriverHandle* display) {
    *display = StrayHandle();
    return Status();
}
DriverStatus DRIVER_CALL FakeRecord(DriverHandle, void* record) {
    Scribble(record);
    return Status();
}
DriverStatus DRIVER_CALL FakeLogical(DriverHandle, DriverHandle* logical) {
    *logical = StrayHandle();
    return Status();
}
DriverStatus DRIVER_CALL FakeMembers(DriverHandle, DriverHandle* handles, uint32_t* count) {
    return FakeEnum(handles, count);
}
DriverStatus DRIVER_CALL FakeIndexedRecord(DriverHandle, uint32_t, void* record) {
    Scribble(record);
    return Status();
}
DriverStatus DRIVER_CALL FakePci(DriverHandle, uint32_t* a, uint32_t* b, uint32_t* c, uint32_t* d) {
    *a = Word(), *b = Word(), *c = Word(), *d = Word();
    return Status();
}
DriverStatus DRIVER_CALL FakeWord(DriverHandle, uint32_t* word) {
    *word = Word();
    return Status();
}

void* DRIVER_CALL FakeQuery(uint32_t id) {
    if (g_random() % 12 == 0) return nullptr;  // now and then an id is not offered
    switch (id) {
    case 0x0150E828: return reinterpret_cast<void*>(static_cast<InitializeFn>(FakeInitialize));
    case 0xE5AC921F: return reinterpret_cast<void*>(static_cast<EnumPhysicalGpusFn>(FakeEnum));
    case 0x9ABDD40D: return reinterpret_cast<void*>(static_cast<EnumDisplayHandleFn>(FakeDisplay));
    case 0xF951A4D1: return reinterpret_cast<void*>(static_cast<GetDriverVersionFn>(FakeRecord));
    case 0xADD604D1: return reinterpret_cast<void*>(static_cast<GetLogicalGpuFn>(FakeLogical));
    case 0xAEA3FA32: return reinterpret_cast<void*>(static_cast<GetPhysicalGpusFn>(FakeMembers));
    case 0xE3640A56: return reinterpret_cast<void*>(static_cast<GetThermalSettingsFn>(FakeIndexedRecord));
    case 0x2DDFB66E: return reinterpret_cast<void*>(static_cast<GetPciIdentifiersFn>(FakePci));
    case 0x1EA54A3B:
    case 0x07BCF4AC: return reinterpret_cast<void*>(static_cast<LevelClocksFn>(FakeIndexedRecord));
    case 0x1BD69F49: return reinterpret_cast<void*>(static_cast<QueryClockSnapshotFn>(FakeRecord));
    case 0x57F7CAAC: return reinterpret_cast<void*>(static_cast<QueryMemoryTypeFn>(FakeWord));
    case 0xDA141340:
    case 0x891FA0AE: return reinterpret_cast<void*>(static_cast<CoolerRecordFn>(FakeIndexedRecord));
    default: return nullptr;
    }
}

class CFakeLibrary : public DriverLibrary {
public:
    bool Load() override { return true; }
    QueryInterfaceFn QueryEntry() override { return &FakeQuery; }
};

double AnyMhz() {
    static const double odd[] = {0.0, -1.0, 1e300, -1e300, std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::quiet_NaN(), 4294967.3, 0.0009};
    return g_random() % 3 == 0 ? odd[g_random() % 8] : std::ldexp(double(Word()), -10);
}

}  // namespace

TEST(GpuMalformedAnswers, NeverCrashOrReadOutOfBounds) {
    g_random.seed(20240601);
    size_t bound = 0;
    for (int round = 0; round < 400; ++round) {
        CGpuControl gpu(std::make_unique<CFakeLibrary>());
        try {
            gpu.Bind();
            ++bound;
        } catch (const DriverBindError& error) {
            EXPECT_TRUE(error.status == 55 || error.status == 110) << error.status;
        }
        for (int op = 0; op < 40; ++op) {
            double a = 0, b = 0, c = 0;
            int value = 0;
            uint32_t type = 0;
            uint16_t vendor = 0, device = 0;
            switch (g_random() % 12) {
            case 0: gpu.SelectGpu(g_random() % 300); break;
            case 1: {
                std::vector<uint32_t> list;
                if (gpu.GetGroupGpuIndexes(list)) {
                    EXPECT_LE(list.size(), kMaxGpus);
                    for (uint32_t index : list) EXPECT_LT(index, kMaxGpus);
                }
                break;
            }
            case 2: gpu.GetPciIds(vendor, device); break;
            case 3: gpu.GetLevelDefaultClocks(static_cast<int>(Word()), a, b, c); break;
            case 4: gpu.GetLevelCurrentClocks(static_cast<int>(Word() % 5), a, b, c); break;
            case 5: gpu.SetLevelClocks(3, AnyMhz(), AnyMhz(), AnyMhz()); break;
            case 6:
                if (gpu.TestLevelClocks(3, AnyMhz(), AnyMhz(), AnyMhz(), value)) {
                    EXPECT_TRUE(value == 0 || value == 1);
                }
                break;
            case 7: gpu.GetFanLevel(0, value); break;
            case 8: gpu.SetFanLevel(g_random() % 2 ? -1 : 0, static_cast<int>(Word() % 200)); break;
            case 9: gpu.IsFanAutomatic(); break;
            case 10: {
                int32_t celsius = 0;
                gpu.GetTemperature(celsius);
                break;
            }
            case 11: {
                gpu.GetMemoryType(type);
                const double scale = gpu.GetMemoryScale();
                EXPECT_TRUE(scale == 0.5 || scale == 1.0);
                break;
            }
            }
        }
    }
    EXPECT_GT(bound, 100u);  // the loop must exercise bound objects, not only failed binds
}
