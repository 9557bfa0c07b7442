// The running instance's side of the console companion: each command goes through the main
// window's own operations, so its sliders, the fan curve and the confirmation follow.
#include <cwchar>

#include "app/ConsoleRequest.h"
#include "app/OskaraApp.h"
#include "cli/CommandRunner.h"
#include "cli/ProfileMatch.h"
#include "gpu/FanPosition.h"
#include "res/resource.h"
#include "store/Settings.h"
#include "ui/SliderRange.h"
#include "ui/Truncate.h"

namespace {
bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}
// The card is the scan's while it runs: commands that read or change it are refused until its end.
bool TouchesCard(CommandKind kind) {
    return kind == CommandKind::Status || kind == CommandKind::Apply || kind == CommandKind::Reset ||
           kind == CommandKind::Profile;
}
}  // namespace

class COskaraApp::CommandTarget : public ConsoleTarget {
public:
    explicit CommandTarget(COskaraApp& app) : m_app(app), m_window(*app.m_mainDialog) {}

    bool CardPresent() override { return !m_app.m_cardKey.empty(); }

    CardStatus Status() override {
        CardStatus status{OSKARA_WINDOW_TITLE, m_app.m_cardKey, m_window.Card().DriverVersion(), {}, std::nullopt};
        const int factor = m_window.GetMemoryClockFactor();
        const bool curve = m_window.Owner().CurveDriving();
        for (uint32_t index : m_window.Card().Group()) {
            const GpuReading reading = m_window.Card().ReadGpu(index);
            GpuStatus gpu{index, reading.celsius, {}, {}, {}, reading.fanPercent, {}};
            if (reading.clocks) {
                gpu.core = TruncToInt(reading.clocks->core);
                gpu.memoryShown = TruncToInt(reading.clocks->memory * factor);
                gpu.shader = TruncToInt(reading.clocks->shader);
            }
            if (reading.fanPercent)
                gpu.fanMode = curve ? FanMode::Curve : reading.fanAutomatic ? FanMode::Automatic : FanMode::Fixed;
            status.gpus.push_back(gpu);
        }
        if (const std::optional<PROFILE> running = m_window.RunningProfile())
            status.profile = std::wstring(running->name, wcsnlen(running->name, 64));
        if (!m_window.TempGuardActed().empty()) status.tempGuardActed = m_window.TempGuardActed();
        return status;
    }

    std::optional<ProfileFile::Limits> Limits() override {
        CardClocks defaults;
        if (!m_window.Card().DefaultClocks(defaults)) return std::nullopt;
        const int factor = m_window.GetMemoryClockFactor();
        return ProfileFile::Limits{ClockSliderRange(defaults.core), ClockSliderRange(defaults.memory * factor),
                                   ClockSliderRange(defaults.shader), factor};
    }

    // As the controller's menu applies: the sliders, then the window's Apply.
    void Apply(std::optional<int> core, std::optional<int> memoryShown, std::optional<int> shader,
               std::optional<FanChoice> fan) override {
        m_window.UpdateControls();
        if (core) m_window.SetClockSlider(COskaraDlg::ClockSlider::Core, *core);
        if (memoryShown) m_window.SetClockSlider(COskaraDlg::ClockSlider::Memory, *memoryShown);
        if (shader) m_window.SetClockSlider(COskaraDlg::ClockSlider::Shader, *shader);
        if (fan) m_window.SetFanSlider(fan->mode == FanMode::Fixed ? fan->percent : kFanAutomaticPosition);
        m_window.OnApply();
    }

    bool CurveAvailable(std::string& whyNot) override {
        if (Settings::Read(m_app.m_settings, Settings::FanCurveOn) == 1) return true;
        whyNot = "the fan curve is off: turn on \"Fan follows the curve\" in Oskara's settings";
        return false;
    }

    void Reset() override { m_window.OnReset(); }

    ProfileMatch SwitchToProfile(const std::wstring& name, std::vector<std::wstring>& names) override {
        size_t index = 0;
        const ProfileMatch match = MatchProfileName(m_app.m_profiles.List(), name, SameIgnoringCase, index, names);
        if (match == ProfileMatch::Applied) m_app.SwitchToProfile(index);
        return match;
    }

    ProfileList Profiles() override { return m_app.m_profiles.List(); }
    void StoreProfiles(const ProfileList& profiles) override { m_app.m_profiles.Assign(profiles); }

private:
    COskaraApp& m_app;
    COskaraDlg& m_window;
};

LRESULT COskaraApp::OnConsoleCommand(const COPYDATASTRUCT& data) {
    const std::optional<ConsoleWire::Request> request = ConsoleRequest::Decode(data);
    if (!request || !HasMainWindow()) return 0;
    CommandTarget target(*this);
    const ParsedCommand parsed = ParseCommand(request->args);
    CommandAnswer answer;
    if (!parsed.command)
        answer = UsageProblem(parsed.problem);
    else if (m_mainDialog->Scanning() && TouchesCard(parsed.command->kind))
        answer = {ExitCode::kRefused, "", "a clock scan is running in Oskara: stop it first\n"};
    else
        answer = RunCommand(*parsed.command, target, request->fileText);
    return ConsoleRequest::Reply(request->replyWindow, answer) ? ConsoleRequest::kAnswered : 0;
}
