#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/Profile.h"
#include "ui/SliderRange.h"

// The profiles as a text file a person can read and edit: UTF-8, one "[profile]" section per
// profile with its name, core, memory (the real clock, as stored), shader and fan ("auto" or a
// percent). Export then import gives back the same profiles.
namespace ProfileFile {

inline constexpr size_t kMaxBytes = 1024 * 1024;

// The sliders' ranges a profile's clocks must lie in; the memory range is as its slider shows
// it, `memoryFactor` times the stored clock.
struct Limits {
    SliderRange core, memoryShown, shader;
    int memoryFactor = 1;
};

struct Problem {
    int line = 0;  // 0: the file as a whole
    std::string reason;
};

struct Imported {
    ProfileList profiles;
    std::vector<int> sectionLines;  // where each profile's section starts
    std::optional<Problem> problem;
};

std::string Export(const ProfileList& profiles);
// Checks every line; without limits the clocks are only checked to be above 0 and fit the card.
Imported Import(std::string_view text, const std::optional<Limits>& limits);

// Each imported profile replaces the first not yet replaced profile of its name, or is added at
// the end; `replace` takes the imported list alone. nullopt with `firstExcess` (the index of the
// first imported profile that does not fit) when the list would hold more than 64 profiles.
std::optional<ProfileList> Merge(const ProfileList& existing, const ProfileList& imported, bool replace,
                                 size_t& firstExcess);

}  // namespace ProfileFile
