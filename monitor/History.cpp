#include "monitor/History.h"

void MonitorHistory::Add(const MonitorSample& sample) {
    m_samples[m_next] = sample;
    m_next = (m_next + 1) % kCapacity;
    if (m_count < kCapacity) ++m_count;
}

const MonitorSample& MonitorHistory::At(size_t index) const {
    const size_t oldest = (m_next + kCapacity - m_count) % kCapacity;
    return m_samples[(oldest + index) % kCapacity];
}
