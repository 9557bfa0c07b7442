// The profiles' text file: export then import gives the same profiles, every bad line is refused
// with its number and nothing of the file is taken, and the merge by name keeps to 64.
#include <gtest/gtest.h>

#include <cwchar>

#include "cli/ProfileFile.h"
#include "tests/host/ProfileMaker.h"

namespace {
const ProfileFile::Limits kCard{{350, 931}, {1000, 2660}, {700, 1862}, 2};

bool Same(const ProfileList& a, const ProfileList& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::wmemcmp(a[i].name, b[i].name, 64) != 0 || a[i].core != b[i].core || a[i].memory != b[i].memory ||
            a[i].shader != b[i].shader || a[i].fan != b[i].fan)
            return false;
    return true;
}

TEST(ProfileFile, ExportThenImportGivesBackTheSameProfiles) {
    const std::wstring awkward{L' ', L'"', L'\\', L'\t', L'=', L'#', L'\u00e9', static_cast<wchar_t>(0xD800), L' '};
    const ProfileList profiles{MakeProfile(L"Quiet", 650, 900, 1300, 40), MakeProfile(L"Quiet", 700, 1000, 1400, 0),
                               MakeProfile(awkward, 931, 1330, 1862, 110), MakeProfile(std::wstring(63, L'x'))};
    const ProfileFile::Imported back = ProfileFile::Import(ProfileFile::Export(profiles), kCard);
    ASSERT_FALSE(back.problem) << back.problem->line << ": " << back.problem->reason;
    EXPECT_TRUE(Same(back.profiles, profiles));
}

TEST(ProfileFile, EveryBadLineIsRefusedWithItsNumber) {
    const std::string good = "[profile]\nname = A\ncore = 700\nmemory = 1000\nshader = 1400\nfan = auto\n";
    const struct {
        std::string text;
        int line;
    } cases[] = {
        {"[profile]\nname = A\ncore = 932\nmemory = 1000\nshader = 1400\nfan = 1\n", 3},
        {"[profile]\nname = A\ncore = 700\nmemory = 499\nshader = 1400\nfan = 1\n", 4},
        {"[profile]\nname = A\ncore = 700\nmemory = 1000\nshader = 699\nfan = 1\n", 5},
        {"[profile]\nname = A\ncore = 700\nmemory = 1000\nshader = 1400\nfan = 101\n", 6},
        {"[profile]\nname = \"\"\n", 2},
        {"[profile]\nname = " + std::string(64, 'n') + "\n", 2},
        {"[profile]\nname = \"A\" x\n", 2},
        {"[profile]\nname = \"\\q\"\n", 2},
        {"[profile]\nname = \"\\u0000\"\n", 2},
        {"[profile]\ncore = 7a0\n", 2},
        {"[profile]\ncore = 700\ncore = 700\n", 3},
        {"[profile]\ncolour = red\n", 2},
        {"name = A\n", 1},
        {"\n[profile]\nname = A\n", 2},
        {good + "\n# fine\nnonsense\n", 9},
        {good + "[profile]\nname = \xC3\x28\n", 8},
        {good + "[profile]\nname = \xED\xA0\x80\n", 8},
        {"[profile]\nname = \x01\n", 2},
        {"[profile]\nname = A\ncore = 0\n", 3},
    };
    for (const auto& c : cases) {
        const ProfileFile::Imported imported = ProfileFile::Import(c.text, kCard);
        ASSERT_TRUE(imported.problem) << c.text;
        EXPECT_EQ(imported.problem->line, c.line) << c.text << imported.problem->reason;
        EXPECT_TRUE(imported.profiles.empty());
    }
    const std::string crlf = "\xEF\xBB\xBF[profile]\r\nname=A\r\ncore=700\r\nmemory=1000\r\nshader=1400\r\nfan=40\r\n";
    EXPECT_EQ(ProfileFile::Import(crlf, kCard).profiles.size(), 1u);
    EXPECT_EQ(ProfileFile::Import(std::string(ProfileFile::kMaxBytes + 1, '#'), kCard).problem->line, 0);
    std::string many;
    for (int i = 0; i < 65; ++i) many += good;
    EXPECT_EQ(ProfileFile::Import(many, kCard).problem->line, 64 * 6 + 1);
    EXPECT_EQ(ProfileFile::Import(many.substr(0, good.size() * 64), kCard).profiles.size(), 64u);
    EXPECT_FALSE(ProfileFile::Import("[profile]\nname = A\ncore = 4000\nmemory = 9\nshader = 0\nfan = 0\n", std::nullopt).problem);
}

TEST(ProfileFile, MergeReplacesByNameInOrderAndKeepsTo64) {
    const ProfileList existing{MakeProfile(L"A", 600), MakeProfile(L"B", 600), MakeProfile(L"A", 601)};
    size_t excess = 99;
    const std::optional<ProfileList> merged = ProfileFile::Merge(
        existing, {MakeProfile(L"A", 700), MakeProfile(L"A", 701), MakeProfile(L"A", 702), MakeProfile(L"a", 703)},
        false, excess);
    ASSERT_TRUE(merged);
    EXPECT_TRUE(Same(*merged, {MakeProfile(L"A", 700), MakeProfile(L"B", 600), MakeProfile(L"A", 701),
                               MakeProfile(L"A", 702), MakeProfile(L"a", 703)}));
    EXPECT_TRUE(Same(*ProfileFile::Merge(existing, {MakeProfile(L"C")}, true, excess), {MakeProfile(L"C")}));
    ProfileList full(63, MakeProfile(L"X"));
    EXPECT_FALSE(ProfileFile::Merge(full, {MakeProfile(L"X"), MakeProfile(L"Y"), MakeProfile(L"Z")}, false, excess));
    EXPECT_EQ(excess, 2u);
}
}  // namespace
