#include "monitor/History.h"

void MonitorHistory::Add(const MonitorSample& sample) {
    if (m_samples.size() < kCapacity)
        m_samples.push_back(sample);
    else
        m_samples[m_next] = sample;
    m_next = (m_next + 1) % kCapacity;
    if (m_count < kCapacity) ++m_count;
}

const MonitorSample& MonitorHistory::At(size_t index) const {
    const size_t oldest = (m_next + kCapacity - m_count) % kCapacity;
    return m_samples[(oldest + index) % kCapacity];
}
