#pragma once
#include <cstddef>
#include <vector>

#include "monitor/MonitorSample.h"

// The last hour of samples at the monitor's fastest rate, in one block reserved whole: adding never
// allocates, and the oldest sample makes room for the newest. The block is written only as samples
// arrive, so its pages are not resident before they hold any.
class MonitorHistory {
public:
    static constexpr size_t kCapacity = 3600;

    MonitorHistory() { m_samples.reserve(kCapacity); }

    void Add(const MonitorSample& sample);
    size_t Size() const { return m_count; }
    // 0 is the oldest kept sample; Size() - 1 the newest.
    const MonitorSample& At(size_t index) const;
    const MonitorSample& Newest() const { return At(m_count - 1); }

private:
    std::vector<MonitorSample> m_samples;
    size_t m_next = 0;
    size_t m_count = 0;
};

static_assert(MonitorHistory::kCapacity * sizeof(MonitorSample) <= 64 * 1024, "the history is bounded at 64 KB");
