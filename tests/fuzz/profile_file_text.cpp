// Fuzz target: any bytes as an imported profile file. A refusal names a line of the file and
// takes nothing; what is taken keeps every limit and comes back the same from its own export.
#include <cwchar>
#include <string_view>

#include "cli/ProfileFile.h"
#include "tests/fuzz/fuzz_require.h"

namespace {
const ProfileFile::Limits kCard{{350, 931}, {1000, 2660}, {700, 1862}, 2};

void Check(std::string_view text, const std::optional<ProfileFile::Limits>& limits) {
    const ProfileFile::Imported imported = ProfileFile::Import(text, limits);
    if (imported.problem) {
        FUZZ_REQUIRE(imported.profiles.empty() && !imported.problem->reason.empty());
        FUZZ_REQUIRE(imported.problem->line >= 0 && static_cast<size_t>(imported.problem->line) <= text.size() + 1);
        return;
    }
    FUZZ_REQUIRE(imported.profiles.size() <= 64 && imported.sectionLines.size() == imported.profiles.size());
    for (const PROFILE& p : imported.profiles) {
        const size_t length = wcsnlen(p.name, 64);
        FUZZ_REQUIRE(length >= 1 && length <= 63 && p.core > 0 && p.memory > 0 && p.shader >= 0);
        FUZZ_REQUIRE(p.fan <= 100 || p.fan == 110);
        if (limits) FUZZ_REQUIRE(p.core >= limits->core.min && p.core <= limits->core.max);
    }
    const ProfileFile::Imported again = ProfileFile::Import(ProfileFile::Export(imported.profiles), limits);
    FUZZ_REQUIRE(!again.problem && again.profiles.size() == imported.profiles.size());
    for (size_t i = 0; i < again.profiles.size(); ++i) {
        const PROFILE &a = again.profiles[i], &b = imported.profiles[i];
        FUZZ_REQUIRE(std::wmemcmp(a.name, b.name, 64) == 0 && a.core == b.core && a.memory == b.memory &&
                     a.shader == b.shader && a.fan == b.fan);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Check(text, kCard);
    Check(text, std::nullopt);
    return 0;
}
