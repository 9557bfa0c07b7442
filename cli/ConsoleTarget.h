#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/ConsoleCommand.h"
#include "cli/ProfileFile.h"
#include "store/Profile.h"

// One GPU as the status shows it; a value not read is nullopt.
struct GpuStatus {
    uint32_t index = 0;
    std::optional<int> celsius, core, memoryShown, shader, fanPercent;
    std::optional<FanMode> fanMode;
};

struct CardStatus {
    std::wstring name;      // as the main window's caption
    std::wstring key;       // empty when the PCI ids could not be read
    uint32_t driverVersion = 0;  // hundredths; 0 when unread
    std::vector<GpuStatus> gpus;
    std::optional<std::wstring> profile;  // the profile the card still runs
    // The local time ("14:05") the temperature guard last put the defaults back; none this session.
    std::optional<std::wstring> tempGuardActed;
};

enum class ProfileMatch { Applied, NotFound, Ambiguous };

// What the commands need of the card and the store: the running program's window, or the card
// and the store reached directly when no instance runs.
class ConsoleTarget {
public:
    virtual ~ConsoleTarget() = default;
    // The driver is there and names a card.
    virtual bool CardPresent() = 0;
    virtual CardStatus Status() = 0;
    // The sliders' ranges around the card's defaults; nullopt when the defaults cannot be read.
    virtual std::optional<ProfileFile::Limits> Limits() = 0;
    // Clocks in the sliders' units; what is not given stays as the card runs it. The fan curve
    // is asked for only where CurveAvailable says it can run.
    virtual void Apply(std::optional<int> core, std::optional<int> memoryShown, std::optional<int> shader,
                       std::optional<FanChoice> fan) = 0;
    virtual bool CurveAvailable(std::string& whyNot) = 0;
    virtual void Reset() = 0;
    // `names` gets the profiles an ambiguous name matches.
    virtual ProfileMatch SwitchToProfile(const std::wstring& name, std::vector<std::wstring>& names) = 0;
    virtual ProfileList Profiles() = 0;
    virtual void StoreProfiles(const ProfileList& profiles) = 0;
};
