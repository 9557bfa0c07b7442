#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "gpu/DriverInterface.h"
#include "gpu/DriverLibrary.h"
#include "gpu/DriverRecords.h"

// What Bind raises: a Windows error code.
struct DriverBindError {
    uint32_t status;
};
constexpr uint32_t kBindNoLibrary = 2;      // ERROR_FILE_NOT_FOUND
constexpr uint32_t kBindNoDriver = 55;      // ERROR_DEV_NOT_EXIST
constexpr uint32_t kBindInitFailed = 110;   // ERROR_OPEN_FAILED

// The card as operations on the selected GPU, in MHz, percent and degrees Celsius. Every
// operation returns false, calling nothing, until Bind has succeeded; outputs are only written
// on success.
class CGpuControl {
public:
    // The driver library of the system folder (Windows build only).
    CGpuControl();
    explicit CGpuControl(std::unique_ptr<DriverLibrary> library);
    ~CGpuControl();
    CGpuControl(const CGpuControl&) = delete;
    CGpuControl& operator=(const CGpuControl&) = delete;

    // Throws DriverBindError with kBindNoLibrary, kBindNoDriver or kBindInitFailed.
    void Bind();

    void SelectGpu(uint32_t index);
    bool GetGroupGpuIndexes(std::vector<uint32_t>& list);
    bool GetPciIds(uint16_t& vendor, uint16_t& device);

    bool GetLevelDefaultClocks(int level, double& core, double& memory, double& shader);
    bool GetLevelCurrentClocks(int level, double& core, double& memory, double& shader);
    // A clock that comes to 0 kHz (0, negative, NaN) leaves its domains as they are.
    bool SetLevelClocks(int level, double core, double memory, double shader);
    // passed is 1 when the driver accepted the clocks, 0 when not; false when no test ran.
    bool TestLevelClocks(int level, double core, double memory, double shader, int& passed);

    bool GetFanLevel(int ignored, int& percent);
    // mode -1 returns the fan to its automatic control; any other mode fixes it at percent.
    bool SetFanLevel(int mode, int percent);
    bool IsFanAutomatic();

    // A non-null record is always left zeroed or filled, so a failed read shows 0 degrees.
    bool GetThermalSettings(THERMAL_SETTINGS* record);
    // Sensor 0's current temperature.
    bool GetTemperature(int32_t& celsius);

    bool GetMemoryType(uint32_t& type);
    // 0.5 for memory whose driver figure is twice the real clock, else 1.0.
    double GetMemoryScale();

    // Hundredths (18000 is 180.00); 0 when unread.
    uint32_t GetDriverVersion() const { return m_driverVersion; }

private:
    template <typename Fn>
    Fn Function(DriverFunction position) const {
        return reinterpret_cast<Fn>(m_functions[position - 1]);
    }
    [[noreturn]] void Abandon(uint32_t status);
    void RefreshGpus();
    bool SelectedGpu(bool refresh, DriverHandle& gpu);
    bool QueryLevel(int level, bool refresh, void* record, DriverHandle& gpu);
    bool ReadLevelClocks(int level, bool defaults, double& core, double& memory, double& shader);
    bool WriteLevelClocks(int level, double core, double memory, double shader, int* passed);
    bool LargeCoolerLayout() const;
    DriverStatus QueryCoolers(DriverHandle gpu, void* record);

    std::unique_ptr<DriverLibrary> m_library;
    uint32_t m_driverVersion = 0;
    void* m_functions[kFunctionTableSize] = {};
    uint32_t m_memoryClass = 0;
    DriverHandle m_gpus[kMaxGpus] = {};
    uint32_t m_gpuCount = 0;
    uint8_t m_selected = 0;
    QueryInterfaceFn m_query = nullptr;
};
