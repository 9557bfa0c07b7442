#pragma once
// The driver's functions: their signatures, interface ids, table positions and query order.
#include <cstddef>
#include <cstdint>

// The driver's functions are cdecl; only 32-bit x86 has another default to guard against.
#if defined(__i386__)
#define DRIVER_CALL __attribute__((cdecl))
#else
#define DRIVER_CALL
#endif

// GPU, logical GPU and display handles: opaque, pointer-sized.
using DriverHandle = void*;
// 0 is success; the program never distinguishes the other values.
using DriverStatus = int32_t;

// The driver's handle arrays always hold this many.
constexpr uint32_t kMaxGpus = 64;

using QueryInterfaceFn = void*(DRIVER_CALL*)(uint32_t id);
using InitializeFn = DriverStatus(DRIVER_CALL*)();
using EnumPhysicalGpusFn = DriverStatus(DRIVER_CALL*)(DriverHandle* handles, uint32_t* count);
using EnumDisplayHandleFn = DriverStatus(DRIVER_CALL*)(uint32_t index, DriverHandle* display);
using GetDriverVersionFn = DriverStatus(DRIVER_CALL*)(DriverHandle display, void* record);
using GetLogicalGpuFn = DriverStatus(DRIVER_CALL*)(DriverHandle gpu, DriverHandle* logical);
using GetPhysicalGpusFn = DriverStatus(DRIVER_CALL*)(DriverHandle logical, DriverHandle* handles,
                                                     uint32_t* count);
using GetThermalSettingsFn = DriverStatus(DRIVER_CALL*)(DriverHandle gpu, uint32_t sensorIndex,
                                                        void* record);
using GetPciIdentifiersFn = DriverStatus(DRIVER_CALL*)(DriverHandle gpu, uint32_t* device,
                                                       uint32_t* subsystem, uint32_t* revision,
                                                       uint32_t* extDevice);
using LevelClocksFn = DriverStatus(DRIVER_CALL*)(DriverHandle gpu, uint32_t level, void* record);
using QueryClockSnapshotFn = DriverStatus(DRIVER_CALL*)(DriverHandle gpu, void* record);
using QueryMemoryTypeFn = DriverStatus(DRIVER_CALL*)(DriverHandle gpu, uint32_t* type);
using CoolerRecordFn = DriverStatus(DRIVER_CALL*)(DriverHandle gpu, uint32_t target, void* record);

// Positions (from 1) in the function table of the functions the program calls.
enum DriverFunction : uint8_t {
    kFnInitialize = 1,
    kFnGetDisplayDriverVersion = 2,
    kFnEnumPhysicalGpus = 3,
    kFnEnumDisplayHandle = 5,
    kFnGetLogicalGpu = 7,
    kFnGetPhysicalGpus = 8,
    kFnQueryLevelClocks = 9,
    kFnApplyLevelClocks = 10,
    kFnQueryClockSnapshot = 11,
    kFnQueryMemoryType = 12,
    kFnGetThermalSettings = 14,
    kFnGetPciIdentifiers = 31,
    kFnQueryCoolerSettings = 32,
    kFnApplyCoolerLevels = 33,
};
constexpr size_t kFunctionTableSize = 43;

struct DRIVER_INTERFACE {
    uint32_t id;
    uint8_t position;  // in the function table, from 1
    const char* name;  // null for ids that are fetched but never called
};

// Every id the program fetches, in the order it fetches them. Position 30 has no id.
inline constexpr DRIVER_INTERFACE kDriverInterfaces[] = {
    {0x0150E828, kFnInitialize, "NvAPI_Initialize"},
    {0xE5AC921F, kFnEnumPhysicalGpus, "NvAPI_EnumPhysicalGPUs"},
    {0x48B3EA59, 4, nullptr},
    {0x9ABDD40D, kFnEnumDisplayHandle, "NvAPI_EnumNvidiaDisplayHandle"},
    {0x34EF9506, 6, nullptr},
    {0xF951A4D1, kFnGetDisplayDriverVersion, "NvAPI_GetDisplayDriverVersion"},
    {0xADD604D1, kFnGetLogicalGpu, "NvAPI_GetLogicalGPUFromPhysicalGPU"},
    {0xAEA3FA32, kFnGetPhysicalGpus, "NvAPI_GetPhysicalGPUsFromLogicalGPU"},
    {0xE3640A56, kFnGetThermalSettings, "NvAPI_GPU_GetThermalSettings"},
    {0x1EA54A3B, kFnQueryLevelClocks, "QueryLevelClocks"},
    {0x07BCF4AC, kFnApplyLevelClocks, "ApplyLevelClocks"},
    {0x1BD69F49, kFnQueryClockSnapshot, "QueryClockSnapshot"},
    {0xD8CBF37B, 18, nullptr},
    {0x63E2F56F, 19, nullptr},
    {0x0BE17923, 20, nullptr},
    {0x86F05D7A, 21, nullptr},
    {0x46FBEB03, 22, nullptr},
    {0x5A04B644, 23, nullptr},
    {0x22A78B05, 34, nullptr},
    {0x2FDE12C5, 24, nullptr},
    {0xE812EB07, 25, nullptr},
    {0xCEEE8E9F, 27, nullptr},
    {0xD988F0F3, 28, nullptr},
    {0x14B83A5F, 29, nullptr},
    {0x2DDFB66E, kFnGetPciIdentifiers, "NvAPI_GPU_GetPCIIdentifiers"},
    {0xDA141340, kFnQueryCoolerSettings, "QueryCoolerSettings"},
    {0x891FA0AE, kFnApplyCoolerLevels, "ApplyCoolerLevels"},
    {0x6533EA3E, 35, nullptr},
    {0x5380AD1A, 36, nullptr},
    {0x7D554F8E, 15, nullptr},
    {0x1730BFC9, 16, nullptr},
    {0xE3E89B6F, 17, nullptr},
    {0x37D32E69, 26, nullptr},
    {0x1BE0B8E5, 39, nullptr},
    {0x2A0A350F, 40, nullptr},
    {0x57F7CAAC, kFnQueryMemoryType, "QueryMemoryType"},
    {0x11104158, 13, nullptr},
    {0x774AA982, 37, nullptr},
    {0x60DED2ED, 38, nullptr},
    {0xAE5FBCFE, 41, nullptr},
    {0xB6D62591, 42, nullptr},
    {0x4E2F76A8, 43, nullptr},
};
constexpr size_t kDriverInterfaceCount = sizeof kDriverInterfaces / sizeof kDriverInterfaces[0];
static_assert(kDriverInterfaceCount == kFunctionTableSize - 1);
static_assert(kDriverInterfaces[0].position == kFnInitialize);
