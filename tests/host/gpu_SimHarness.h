#pragma once
// CGpuControl over the simulated driver linked into the test program.
#include <memory>
#include <string>
#include <vector>

#include "gpu/GpuControl.h"
#include "sim/driver/SimDriver.h"

class CLinkedSimDriver : public DriverLibrary {
public:
    explicit CLinkedSimDriver(bool present) : m_present(present) {}
    bool Load() override { return m_present; }
    QueryInterfaceFn QueryEntry() override { return &simdriver::QueryInterface; }

private:
    bool m_present;
};

inline std::unique_ptr<CGpuControl> UnboundControl(bool present = true) {
    return std::make_unique<CGpuControl>(std::make_unique<CLinkedSimDriver>(present));
}

// Loads the card, binds, and forgets the binding's calls.
inline std::unique_ptr<CGpuControl> BoundControl(const std::string& card = "") {
    simdriver::LoadText(card);
    auto gpu = UnboundControl();
    gpu->Bind();
    simdriver::ClearCalls();
    return gpu;
}

// 0 when Bind succeeds, else the status it raised.
inline uint32_t BindStatus(CGpuControl& gpu) {
    try {
        gpu.Bind();
        return 0;
    } catch (const DriverBindError& error) {
        return error.status;
    }
}

inline const simdriver::SimCall* LastCall(const std::string& fn) {
    const auto& calls = simdriver::Calls();
    for (auto it = calls.rbegin(); it != calls.rend(); ++it)
        if (it->fn == fn) return &*it;
    return nullptr;
}

inline std::vector<std::string> CalledFunctions() {
    std::vector<std::string> names;
    for (const auto& call : simdriver::Calls()) names.push_back(call.fn);
    return names;
}

// Little-endian 32-bit word of a byte vector, for comparisons at literal offsets.
inline uint32_t WordAt(const std::vector<uint8_t>& bytes, size_t offset) {
    if (offset + 4 > bytes.size()) return 0xDEADBEEF;
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           uint32_t(bytes[offset + 3]) << 24;
}
