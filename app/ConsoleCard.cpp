#include "app/ConsoleCard.h"

#include <windows.h>

#include "cli/ProfileMatch.h"
#include "gpu/FanPosition.h"
#include "res/resource.h"
#include "store/ProfileStore.h"
#include "store/Settings.h"
#include "ui/MemoryClockFactor.h"
#include "ui/Truncate.h"

namespace {
bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}
}  // namespace

CConsoleCard::CConsoleCard(SettingsStore& settings) : m_settings(settings) {
    try {
        m_gpu.Bind();
        m_bound = true;
    } catch (const DriverBindError&) {
        return;
    }
    uint16_t vendor = 0, device = 0;
    if (m_card.Identify(vendor, device)) m_cardKey = ProfileStore::CardKey(vendor, device);
}

int CConsoleCard::MemoryFactor() {
    return MemoryClockFactor(m_settings, [this](uint32_t& code) {
        if (!m_card.MemoryType()) return false;
        code = *m_card.MemoryType();
        return true;
    });
}

CardStatus CConsoleCard::Status() {
    CardStatus status{OSKARA_WINDOW_TITLE, m_cardKey, m_card.DriverVersion(), {}, std::nullopt};
    const int factor = MemoryFactor();
    for (uint32_t index : m_card.Group()) {
        const GpuReading reading = m_card.ReadGpu(index);
        GpuStatus gpu{index, reading.celsius, {}, {}, {}, reading.fanPercent, {}};
        if (reading.clocks) {
            gpu.core = TruncToInt(reading.clocks->core);
            gpu.memoryShown = TruncToInt(reading.clocks->memory * factor);
            gpu.shader = TruncToInt(reading.clocks->shader);
        }
        if (reading.fanPercent) gpu.fanMode = reading.fanAutomatic ? FanMode::Automatic : FanMode::Fixed;
        status.gpus.push_back(gpu);
    }
    return status;
}

std::optional<ProfileFile::Limits> CConsoleCard::Limits() {
    CardClocks defaults;
    if (!m_card.DefaultClocks(defaults)) return std::nullopt;
    const int factor = MemoryFactor();
    return ProfileFile::Limits{ClockSliderRange(defaults.core), ClockSliderRange(defaults.memory * factor),
                               ClockSliderRange(defaults.shader), factor};
}

int CConsoleCard::RunningFanPosition() {
    const CardFan fan = m_card.ReadFan();
    return fan.known && !fan.automatic ? fan.highestPercent : kFanAutomaticPosition;
}

void CConsoleCard::Apply(std::optional<int> core, std::optional<int> memoryShown, std::optional<int> shader,
                         std::optional<FanChoice> fan) {
    CardClocks clocks;
    if (!m_card.CurrentClocks(clocks)) m_card.DefaultClocks(clocks);
    if (core) clocks.core = *core;
    if (memoryShown) clocks.memory = *memoryShown / static_cast<double>(MemoryFactor());
    if (shader) clocks.shader = *shader;
    const int fanPosition = !fan ? RunningFanPosition()
                            : fan->mode == FanMode::Fixed ? fan->percent : kFanAutomaticPosition;
    m_card.Apply(clocks, fan ? std::optional<int>(fanPosition) : std::nullopt);
    StoreApplied(clocks, fanPosition);
}

void CConsoleCard::StoreApplied(const CardClocks& clocks, int fanPosition) {
    Settings::Write(m_settings, Settings::LastCore, static_cast<uint32_t>(TruncToInt(clocks.core)));
    Settings::Write(m_settings, Settings::LastMem, static_cast<uint32_t>(TruncToInt(clocks.memory)));
    Settings::Write(m_settings, Settings::LastShader, static_cast<uint32_t>(TruncToInt(clocks.shader)));
    Settings::Write(m_settings, Settings::LastFan, static_cast<uint32_t>(fanPosition));
}

bool CConsoleCard::CurveAvailable(std::string& whyNot) {
    whyNot = "the fan curve runs only while Oskara runs: start it, then apply --fan curve";
    return false;
}

void CConsoleCard::Reset() { m_card.Reset(); }

ProfileMatch CConsoleCard::SwitchToProfile(const std::wstring& name, std::vector<std::wstring>& names) {
    const ProfileList profiles = Profiles();
    size_t index = 0;
    const ProfileMatch match = MatchProfileName(profiles, name, SameIgnoringCase, index, names);
    if (match != ProfileMatch::Applied) return match;
    const PROFILE& profile = profiles[index];
    const CardClocks clocks{static_cast<double>(profile.core), static_cast<double>(profile.memory),
                            static_cast<double>(profile.shader)};
    const int fanPosition = IsAutomaticFan(profile.fan) ? kFanAutomaticPosition : profile.fan;
    m_card.Apply(clocks, fanPosition);
    StoreApplied(clocks, fanPosition);
    return match;
}

ProfileList CConsoleCard::Profiles() { return ProfileStore::Load(m_settings, m_cardKey, m_card.HasShaderClock()); }

void CConsoleCard::StoreProfiles(const ProfileList& profiles) { ProfileStore::Save(m_settings, m_cardKey, profiles); }
