#pragma once
// Stand-ins for the controller's transport and text surface in host tests.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "sim/tavio/PanelDecoder.h"
#include "tavio/Display.h"
#include "tavio/ReportSink.h"
#include "tavio/TextSurface.h"

// Records every report's meaningful bytes and hands the zero-filled report to the emulator's
// decoder, as the transport would.
class RecordingSink : public ReportSink {
public:
    explicit RecordingSink(size_t outputLength = 65) : length(outputLength), panel(outputLength) {}

    bool WriteReport(const uint8_t* bytes, size_t count) override {
        reports.emplace_back(bytes, bytes + count);
        std::vector<uint8_t> full(bytes, bytes + count);
        if (full.size() < length) full.resize(length, 0);
        panel.Feed(full);
        return true;
    }
    size_t OutputReportLength() const override { return length; }

    size_t length;
    std::vector<std::vector<uint8_t>> reports;
    PanelDecoder panel;
};

// Draws each text as a lit column at its centre, and remembers the texts since the last clear.
class FakeTextSurface : public TextSurface {
public:
    void Clear() override {
        pixels.assign(kWidth * kHeight, 0);
        drawn.clear();
    }
    void DrawCentred(int x, const std::wstring& text) override {
        drawn.emplace_back(x, text);
        if (text.empty() || x < 0 || x >= kWidth) return;
        for (int y = 0; y < kHeight; ++y) pixels[y * kWidth + x] = 1;
    }
    std::vector<uint8_t> Pixels() const override { return pixels; }

    void Light(int x, int y) { pixels[y * kWidth + x] = 1; }

    std::vector<uint8_t> pixels = std::vector<uint8_t>(kWidth * kHeight, 0);
    std::vector<std::pair<int, std::wstring>> drawn;
};

// The controller's screen over the stand-ins, read back by the emulator's decoder.
struct TavioScreen {
    explicit TavioScreen(size_t length = 65) : sink(length) {}
    RecordingSink sink;
    FakeTextSurface text;
    CTavioDisplay display{sink, text};
    // The core, memory and shader numbers the screen shows.
    std::array<int, 3> Numbers() const {
        return {sink.panel.Number(PanelDecoder::Core), sink.panel.Number(PanelDecoder::Memory), sink.panel.Number(PanelDecoder::Shader)};
    }
};
