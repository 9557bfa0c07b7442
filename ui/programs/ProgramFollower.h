#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the card should do after one event of the program watch.
struct FollowStep {
    enum class Kind { Nothing, PutProfile, PutBack };
    Kind kind = Kind::Nothing;
    // For PutProfile: the profile's name, and whether it is the first of a run, so what the card
    // ran before is to be kept for the put-back.
    std::wstring profile;
    bool keepWhatRan = false;
};

// The rule of profiles that follow programs, apart from the processes and the card: fed the
// starts and ends of the matching processes and the time in milliseconds, it says what to put on
// the card. The first-started matching process decides; after the last ends, what ran before goes
// back once kGraceMs passed with none started; a change by the user meanwhile keeps the card as
// the user left it until no matching process runs.
class CProgramFollower {
public:
    static constexpr uint64_t kGraceMs = 5000;

    // startOrder: smaller started earlier (the process's creation time). A process already known
    // is not counted twice.
    FollowStep ProcessStarted(uint32_t id, const std::wstring& imagePath, const std::wstring& profile,
                              uint64_t startOrder);
    FollowStep ProcessEnded(uint32_t id, uint64_t nowMs);
    // The rules changed: profileOf gives each process's profile anew, nullopt when no usable rule
    // matches it any more (removed, or its profile gone); such a process counts as ended now.
    FollowStep RulesChanged(const std::function<std::optional<std::wstring>(const std::wstring&)>& profileOf,
                            uint64_t nowMs);
    // Apply, Reset or a profile from anywhere while a program's profile runs or waits to go.
    void UserChanged();
    // The feature is turned off: every process is forgotten and what ran before goes back now.
    FollowStep Stop();
    FollowStep Tick(uint64_t nowMs);

    // When Tick has something to do; nullopt while nothing waits.
    std::optional<uint64_t> TickDue() const { return m_putBackAt; }
    // The image path of the process whose profile is on the card; nullopt when none is.
    std::optional<std::wstring> Deciding() const;
    bool Watches(uint32_t id) const;

private:
    struct Process {
        uint32_t id;
        std::wstring imagePath;
        std::wstring profile;
        uint64_t startOrder;
    };
    const Process* First() const;
    // What the first running process asks for.
    FollowStep Decide();
    // After processes ended: Decide, or once none runs the put-back's time.
    FollowStep AfterEnd(uint64_t nowMs);
    void EndRun();

    std::vector<Process> m_running;
    // The profile this put on the card; nullopt while the card runs what the user chose.
    std::optional<std::wstring> m_onCard;
    bool m_userChanged = false;
    std::optional<uint64_t> m_putBackAt;
};
