#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "tavio/ReportSink.h"
#include "tavio/ScreenLayout.h"
#include "tavio/TextSurface.h"

// The controller's screen. Segment changes go to a mirror of the controller's segment memory
// first, then each changed byte is written in one report; the text line is drawn on a surface
// and sent whole. Writes while no controller is open go nowhere; the mirror still changes and
// the next open resets both sides.
class CTavioDisplay {
public:
    CTavioDisplay(ReportSink& sink, TextSurface& text) : m_sink(sink), m_text(text) {}

    // A controller was opened: connected, screen reset.
    void Opened();
    // The controller was removed: not connected; mirror and text stay as they are.
    void Removed() { m_connected = false; }
    bool IsConnected() const { return m_connected; }

    void Reset();
    void SendExitMode();

    void SetIndicator(int id, bool on);
    // The last four digits, leading zeros dark.
    void ShowCore(uint32_t value) { ShowField(ScreenLayout::Core, value); }
    void ShowMemory(uint32_t value) { ShowField(ScreenLayout::Memory, value); }
    void ShowShader(uint32_t value) { ShowField(ScreenLayout::Shader, value); }
    // level cells lit from the top, 0 to 20; levels outside are taken as the nearer end. Only
    // changed cells are sent, except at every tenth setting of a bar and the first after a reset,
    // which send every cell: one lost report would otherwise show a wrong cell for as long as the
    // reading holds.
    void SetTemperatureBar(int level) { SetBar(ScreenLayout::Temperature, level); }
    void SetFanBar(int level) { SetBar(ScreenLayout::Fan, level); }

    void ClearText() { m_text.Clear(); }
    void DrawText(int x, const std::wstring& text) { m_text.DrawCentred(x, text); }
    // Sends the whole text line: a text start and six slices.
    void FlushText();

    const std::array<uint8_t, ScreenLayout::kMirrorBytes>& Mirror() const { return m_mirror; }

private:
    bool Send(const uint8_t* command, size_t count);
    template <size_t N>
    bool Send(const uint8_t (&command)[N]) { return Send(command, N); }
    void WriteSegmentByte(size_t address);
    void ShowField(ScreenLayout::Field field, uint32_t value);
    void SetBar(ScreenLayout::Bar bar, int level);

    ReportSink& m_sink;
    TextSurface& m_text;
    static constexpr int kBarRepairEvery = 10;

    std::array<uint8_t, ScreenLayout::kMirrorBytes> m_mirror{};
    std::array<int, 2> m_barSetsSinceRepair{};
    bool m_connected = false;
};
