// A controller key, from its input report to the last output report of the screen update it
// causes: the product's report decoding, menu and screen encoding, with the controller emulator
// decoding every output report as the device would. Only the key press is timed.
#include <benchmark/benchmark.h>

#include <chrono>

#include "tavio/KeyReport.h"
#include "tests/host/tavio_menu_harness.h"

namespace {

constexpr size_t kInputLength = 9;
constexpr size_t kOutputLength = 65;

// The controller's input report: 00, the marker 01, the key byte, zeros to the report's length.
enum class PanelKey : uint8_t { Left = 0x31, Middle = 0x32, Right = 0x34, Release = 0x38 };

// The device's side of the output reports: decoded at once, counted.
class DecodingSink : public ReportSink {
public:
    bool WriteReport(const uint8_t* bytes, size_t count) override {
        std::vector<uint8_t> full(bytes, bytes + count);
        full.resize(kOutputLength, 0);
        panel.Feed(full);
        ++reports;
        return true;
    }
    size_t OutputReportLength() const override { return kOutputLength; }

    PanelDecoder panel{kOutputLength};
    size_t reports = 0;
};

struct Rig {
    DecodingSink sink;
    FakeTextSurface text;
    CTavioDisplay display{sink, text};
    MemorySettingsStore settings;
    ProfileBook book{[](const ProfileList&) {}};
    FakeMainWindow host;
    CTavioMenu menu{host, display, book, settings};

    Rig() {
        host.menu = &menu;
        host.display = &display;
        menu.OnConnected();
    }
    void AddProfile(const wchar_t* name, int core, uint8_t fan) {
        PROFILE profile{};
        SetProfileName(profile, name);
        profile.core = core;
        profile.memory = 1000;
        profile.shader = core * 2;
        profile.fan = fan;
        book.Create(profile);
    }
    // What the reader thread hands on for one input report.
    void Report(PanelKey key) {
        std::vector<uint8_t> report(kInputLength, 0);
        report[1] = 0x01;
        report[2] = static_cast<uint8_t>(key);
        const KeyReport::Events events = KeyReport::Decode(report.data(), report.size());
        for (size_t i = 0; i < events.count; ++i) menu.OnEvent(events.codes[i]);
    }
    void Tap(PanelKey key) {
        Report(key);
        Report(PanelKey::Release);
    }
};

// Times one press; the release and any way back to the starting screen are not timed.
template <typename Before>
void Press(benchmark::State& state, Rig& rig, PanelKey key, Before before) {
    size_t reports = 0;
    for (auto _ : state) {
        before();
        const size_t sent = rig.sink.reports;
        const auto start = std::chrono::steady_clock::now();
        rig.Report(key);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        reports = rig.sink.reports - sent;
        rig.Report(PanelKey::Release);
        rig.host.applied.clear();
        if (reports == 0) {
            state.SkipWithError("the key sent nothing to the screen");
            return;
        }
    }
    if (!rig.sink.panel.Errors().empty()) state.SkipWithError(rig.sink.panel.Errors().front().c_str());
    state.counters["reports"] = static_cast<double>(reports);
}

void ClockStep(benchmark::State& state) {
    Rig rig;
    rig.Tap(PanelKey::Left);  // the core clock's screen
    Press(state, rig, PanelKey::Right, [&] { rig.host.pos[0] = 600; });
}

void ScreenChange(benchmark::State& state) {
    Rig rig;
    Press(state, rig, PanelKey::Middle, [&] {
        if (rig.menu.CurrentState() != CTavioMenu::MainMenu) rig.Tap(PanelKey::Left);
    });
}

// Next in the profile view: the profile's name (held 750 ms by the window's timer, not here),
// then its clocks and fan on the screen.
void ProfilePreview(benchmark::State& state) {
    Rig rig;
    rig.AddProfile(L"Quiet", 500, 40);
    rig.AddProfile(L"Game", 700, 110);
    rig.AddProfile(L"Max", 800, 100);
    rig.Tap(PanelKey::Middle);
    rig.Tap(PanelKey::Right);
    Press(state, rig, PanelKey::Right, [] {});
}

BENCHMARK(ClockStep)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(ScreenChange)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(ProfilePreview)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
