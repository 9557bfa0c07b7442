#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "sim/tavio/PanelTables.h"

// The controller's side of the output reports: takes each report as the device would and keeps
// what its glass would show. Reports it cannot take are recorded as errors and change nothing.
class PanelDecoder {
public:
    static constexpr int kTextWidth = 126;
    static constexpr int kTextHeight = 9;
    enum Field { Core, Memory, Shader };
    enum Bar { Temperature, Fan };
    enum class Mode { Off, Running, Exited };

    // reportLength: the controller's output report length; every report must have exactly it.
    explicit PanelDecoder(size_t reportLength) : m_reportLength(reportLength) {}

    void Feed(const uint8_t* report, size_t length);
    void Feed(const std::vector<uint8_t>& report) { Feed(report.data(), report.size()); }

    // Four characters, thousands first: a digit, ' ' for a dark digit, '?' for a shape that is none.
    std::string Digits(Field field) const;
    // The value shown, or -1 when the field is not a right-aligned number (dark ones digit, a dark
    // digit between lit ones, or an unknown shape).
    int Number(Field field) const;
    // Lit cells counted from the top, or -1 when the lit cells are not one run ending at the top.
    int BarLevel(Bar bar) const;
    bool Lamp(int id) const;
    bool Pixel(int x, int y) const;
    // The text line as rows of '#' (lit) and '.'.
    std::vector<std::string> TextRows() const;

    uint8_t SegmentByte(size_t address) const { return address < m_segments.size() ? m_segments[address] : 0; }
    // Every segment write as (address, value), in arrival order.
    const std::vector<std::pair<uint8_t, uint8_t>>& SegmentWrites() const { return m_writes; }
    const std::vector<std::string>& Errors() const { return m_errors; }
    size_t Reports() const { return m_reports; }
    size_t TextUpdates() const { return m_textUpdates; }
    Mode CurrentMode() const { return m_mode; }
    int SetupValue() const { return m_setup; }

private:
    void Command(const uint8_t* command, size_t count);
    void WriteSegment(const uint8_t* command, size_t count);
    void TextSlice(const uint8_t* command, size_t count);
    void Error(const std::string& text);
    bool SegmentLit(const panel::Role& wanted) const;
    int DigitAt(Field field, int digit) const;

    size_t m_reportLength;
    std::array<uint8_t, panel::kSegmentBytes> m_segments{};
    std::array<uint8_t, 2 * kTextWidth> m_text{};
    std::array<uint8_t, 2 * kTextWidth> m_staged{};
    int m_slicesExpected = -1;  // -1: no text start seen; else the next slice's number
    std::vector<std::pair<uint8_t, uint8_t>> m_writes;
    std::vector<std::string> m_errors;
    size_t m_reports = 0;
    size_t m_textUpdates = 0;
    Mode m_mode = Mode::Off;
    int m_setup = -1;
};
