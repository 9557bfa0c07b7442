#pragma once
#include <memory>

#include "cli/ConsoleTarget.h"
#include "gpu/Card.h"
#include "gpu/GpuControl.h"
#include "store/SettingsStore.h"

// The console companion's commands when no instance runs: the card through its own driver
// binding and the store directly, with the window's rules. Nothing keeps running after it: the
// fan stays under the card's control unless a command fixes it.
class CConsoleCard : public ConsoleTarget {
public:
    explicit CConsoleCard(SettingsStore& settings);

    bool CardPresent() override { return m_bound; }
    CardStatus Status() override;
    std::optional<ProfileFile::Limits> Limits() override;
    void Apply(std::optional<int> core, std::optional<int> memoryShown, std::optional<int> shader,
               std::optional<FanChoice> fan) override;
    bool CurveAvailable(std::string& whyNot) override;
    void Reset() override;
    ProfileMatch SwitchToProfile(const std::wstring& name, std::vector<std::wstring>& names) override;
    ProfileList Profiles() override;
    void StoreProfiles(const ProfileList& profiles) override;

private:
    int MemoryFactor();
    // The fan position (0..100 fixed, above automatic) the card runs; automatic when unread.
    int RunningFanPosition();
    void StoreApplied(const CardClocks& clocks, int fanPosition);

    SettingsStore& m_settings;
    CGpuControl m_gpu;
    CCard m_card{m_gpu};
    bool m_bound = false;
    std::wstring m_cardKey;
};
