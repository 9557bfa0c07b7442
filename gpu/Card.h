#pragma once
#include <cstdint>
#include <optional>
#include <vector>

class CGpuControl;

// The highest clock the card's kHz field can carry.
inline constexpr uint32_t kMaxCardMhz = 4294967;

// Clocks in MHz as the card takes them: memory is the real clock, not the shown one.
struct CardClocks {
    double core = 0, memory = 0, shader = 0;
};

// The fan as the window shows it: the highest fixed level of the group, and whether the GPU
// selected last runs its automatic control.
// One GPU's readings for a report; a read that failed is nullopt.
struct GpuReading {
    std::optional<int32_t> celsius;
    std::optional<CardClocks> clocks;
    std::optional<int> fanPercent;
    bool fanAutomatic = false;
};

struct CardFan {
    int highestPercent = 0;
    bool automatic = false;
    bool known = false;  // some GPU's cooler read answered
};

// The card as a whole: its GPU group, the top performance level every clock operation addresses,
// and whether that level has a shader clock. Every operation that concerns all GPUs of the card
// loops over the group here and nowhere else. Reads of a single GPU address the one selected last.
class CCard {
public:
    explicit CCard(CGpuControl& gpu) : m_gpu(gpu) {}

    // After the driver was bound (or failed to be): the group (GPU 0 alone when the driver
    // cannot tell it or names no GPU it enumerated), the PCI ids that form the card
    // key (false when unreadable), the level count (at most 32; counted again by the clock
    // operations while no level answered), the shader fact and the memory type.
    bool Identify(uint16_t& vendor, uint16_t& device);

    const std::vector<uint32_t>& Group() const { return m_group; }
    int TopLevel() const { return m_topLevel; }
    bool HasShaderClock() const { return m_hasShaderClock; }
    // The memory type of the GPU the card key and the memory class came from; nullopt when the
    // driver could not tell.
    std::optional<uint32_t> MemoryType() const { return m_memoryType; }

    bool PciIds(uint16_t& vendor, uint16_t& device);
    bool DefaultClocks(CardClocks& clocks);
    bool CurrentClocks(CardClocks& clocks);
    CardFan ReadFan();
    // The fan of the GPU selected last, in percent.
    bool FanLevel(int& percent);
    // The hottest GPU of the group; a failed reading counts as 0.
    int32_t HottestTemperature();
    // The hottest GPU of the group; nullopt when any GPU's reading fails, as the one not read
    // may be the hottest.
    std::optional<int32_t> HottestReading();

    // Writes to every GPU of the group: the clocks when given, then the fan when given (a slider
    // position: above 100 automatic, else a fixed percent).
    void Apply(const std::optional<CardClocks>& clocks, std::optional<int> fanPosition);
    // Default clocks and automatic fan on every GPU; a GPU whose defaults cannot be read keeps
    // its clocks, as 0 MHz must never reach it.
    void Reset();
    // As Reset, with the fan left as it is.
    void ResetClocks();
    // The fan of every GPU of the group; false when any write failed.
    bool SetGroupFan(int fanPosition);
    // The fan of each GPU named; answers the ones whose write failed.
    std::vector<uint32_t> SetFanOn(const std::vector<uint32_t>& gpus, int fanPosition);
    // The fan of the GPU selected last only.
    void SetFan(int fanPosition);
    // The clocks of the GPU selected last only.
    void SetClocks(const CardClocks& clocks);
    // passed is 1 when the driver accepted the clocks; false when no test ran.
    bool TestClocks(const CardClocks& clocks, int& passed);

    // Selects the GPU and reads it; it stays the one selected last.
    GpuReading ReadGpu(uint32_t gpu);
    // Hundredths; 0 when unread.
    uint32_t DriverVersion() const;

private:
    void CountLevels();
    void CountLevelsIfUncounted();
    void PutDefaultClocks(bool fanToAutomatic);
    bool WriteFan(int fanPosition);

    CGpuControl& m_gpu;
    std::vector<uint32_t> m_group;
    int m_topLevel = 0;
    bool m_hasShaderClock = false;
    std::optional<uint32_t> m_memoryType;
};
