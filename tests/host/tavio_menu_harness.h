#pragma once
// The controller's menu on a stand-in main window and a fake clock, with the screen decoded by
// the controller emulator.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "MemorySettingsStore.h"
#include "store/ProfileBook.h"
#include "tavio/Menu.h"
#include "tavio_harness.h"
#include "tests/host/ProfileMaker.h"

struct Applied {
    int core, memory, shader, fan;
    bool operator==(const Applied& o) const {
        return core == o.core && memory == o.memory && shader == o.shader && fan == o.fan;
    }
};

// Sliders with the trackbar's clamping, operations counted, timers on a fake clock.
class FakeMainWindow : public TavioMenuHost {
public:
    using Clock = TavioMenuHost::Clock;

    bool window = true;
    std::array<int, 3> pos{600, 1800, 1400};
    std::array<int, 3> min{300, 900, 700};
    std::array<int, 3> max{1200, 3600, 2800};
    int fan = 110;
    int factor = 1;
    bool fanReadable = true;
    int cardFan = 45;
    std::vector<Applied> applied;
    int resets = 0, updates = 0, polls = 0, holds = 0;
    std::vector<std::pair<Clock, int>> setClock;

    CTavioMenu* menu = nullptr;
    CTavioDisplay* display = nullptr;

    bool HasMainWindow() override { return window; }
    int ClockSliderPos(Clock c) override { return pos[Index(c)]; }
    int FanSliderPos() override { return fan; }
    void MoveClockSlider(Clock c, int p) override { pos[Index(c)] = std::clamp(p, min[Index(c)], max[Index(c)]); }
    void SetClockSlider(Clock c, int value) override {
        setClock.emplace_back(c, value);
        max[Index(c)] = std::max(max[Index(c)], value);
        min[Index(c)] = std::min(min[Index(c)], value);
        pos[Index(c)] = value;
    }
    void SetFanSlider(int p) override { fan = std::clamp(p, 0, 110); }
    void Apply() override {
        applied.push_back({pos[0], pos[1] / factor, pos[2], fan});
        ShowOnController();
    }
    void ResetCard() override { ++resets; }
    // As the main window does: the slider values go onto the controller.
    void UpdateControls() override {
        ++updates;
        ShowOnController();
    }
    void ShowOnController() {
        if (!display || !display->IsConnected()) return;
        display->ShowCore(pos[0]);
        display->ShowMemory(pos[1]);
        display->ShowShader(pos[2]);
        display->SetFanBar(fan * 20 / 100);
    }
    int MemoryClockFactor() override { return factor; }
    bool ReadFanLevel(int& percent) override {
        if (fanReadable) percent = cardFan;
        return fanReadable;
    }
    void RequestPoll() override { ++polls; }
    void HoldProfileName() override { ++holds; }

    void StartTimer(Timer timer, unsigned ms) override {
        ++starts[Index(timer)];
        period[Index(timer)] = ms;
        due[Index(timer)] = now + ms;
    }
    void StopTimer(Timer timer) override { due[Index(timer)] = -1; }
    bool Running(Timer timer) const { return due[Index(timer)] >= 0; }

    // Runs the clock forward, firing each timer when it is due, earliest first.
    void Advance(int64_t ms) {
        const int64_t end = now + ms;
        for (;;) {
            int next = -1;
            for (int t = 0; t < 3; ++t)
                if (due[t] >= 0 && due[t] <= end && (next < 0 || due[t] < due[next])) next = t;
            if (next < 0) break;
            now = due[next];
            due[next] = now + period[next];
            if (next == 0) menu->OnRepeatTimer();
            if (next == 1) menu->OnIdleTimer();
            if (next == 2) menu->OnBlinkTimer();
        }
        now = end;
    }

    std::array<int, 3> starts{};

private:
    static int Index(Clock c) { return static_cast<int>(c); }
    static int Index(Timer t) { return static_cast<int>(t); }
    int64_t now = 0;
    std::array<int64_t, 3> due{-1, -1, -1};
    std::array<int64_t, 3> period{};
};

// A connected controller showing the main menu.
struct MenuRig : TavioScreen {
    MemorySettingsStore settings;
    int saves = 0;
    ProfileBook book{[this](const ProfileList&) { ++saves; }};
    FakeMainWindow host;
    CTavioMenu menu{host, display, book, settings};

    MenuRig() {
        host.menu = &menu;
        host.display = &display;
        menu.OnConnected();
    }

    void Tap(uint32_t key) {
        menu.OnEvent(key);
        menu.OnEvent(CTavioMenu::Release);
    }
    void Taps(const std::vector<uint32_t>& keys) {
        for (uint32_t key : keys) Tap(key);
    }
    void AddProfile(const wchar_t* name, int core, int memory, int shader, uint8_t fan) {
        book.Create(MakeProfile(name, core, memory, shader, fan));
    }

    // The labels of the last drawing, as texts and as the columns the emulator shows lit.
    std::vector<std::wstring> Labels() const {
        std::vector<std::wstring> labels;
        for (const auto& draw : text.drawn) labels.push_back(draw.second);
        return labels;
    }
    std::set<int> LitColumns() const {
        std::set<int> columns;
        for (int x = 0; x < PanelDecoder::kTextWidth; ++x)
            for (int y = 0; y < PanelDecoder::kTextHeight; ++y)
                if (sink.panel.Pixel(x, y)) columns.insert(x);
        return columns;
    }
    std::set<int> LitLamps() const {
        std::set<int> lamps;
        for (int id = 0; id < 13; ++id)
            if (sink.panel.Lamp(id)) lamps.insert(id);
        return lamps;
    }
};

// The names the menu tests write their key paths and screens with.
using Menu = CTavioMenu;
using Labels = std::vector<std::wstring>;
using Clock = TavioMenuHost::Clock;
using Timer = TavioMenuHost::Timer;
constexpr uint32_t L = Menu::Left, M = Menu::Middle, R = Menu::Right;
