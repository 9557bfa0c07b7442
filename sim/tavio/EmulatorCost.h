#pragma once
#include <windows.h>

#include <cstdint>

// The time the emulator's own work takes on the program's GUI thread (decoding, logging and
// drawing the reports), so that a benchmark can tell it apart from the program's. Wall time of
// short sections that never wait: on an idle machine that is their CPU time.
class CEmulatorCost {
public:
    class Section {
    public:
        explicit Section(CEmulatorCost& cost) : m_cost(cost) { QueryPerformanceCounter(&m_start); }
        ~Section() {
            LARGE_INTEGER end;
            QueryPerformanceCounter(&end);
            m_cost.m_ticks += end.QuadPart - m_start.QuadPart;
        }
        Section(const Section&) = delete;
        Section& operator=(const Section&) = delete;

    private:
        CEmulatorCost& m_cost;
        LARGE_INTEGER m_start;
    };

    int64_t Microseconds() const {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return m_ticks * 1000000 / frequency.QuadPart;
    }

private:
    int64_t m_ticks = 0;
};
