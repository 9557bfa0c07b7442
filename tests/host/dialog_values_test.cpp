// What the profiles and options dialogs show and store: row texts, a profile from the sliders,
// step size items, check states and the version block's translation key.
#include <gtest/gtest.h>

#include "ui/OptionsValues.h"
#include "ui/ProfileRows.h"
#include "tests/host/ProfileMaker.h"

namespace {

TEST(ProfileRows, ShowMemoryTimesTheFactorAndAutoOnlyForExactly110) {
    PROFILE p = MakeProfile(L"Night", 650, 1000, 1300);
    struct Case {
        uint8_t fan;
        const wchar_t* text;
    } fans[] = {{110, L"Auto"}, {105, L"105 %"}, {100, L"100 %"}, {0, L"0 %"}, {255, L"255 %"}};
    for (const Case& c : fans) {
        p.fan = c.fan;
        const ProfileRowTexts row = ProfileRow(p, 2);
        EXPECT_EQ(row.fan, c.text) << int(c.fan);
        EXPECT_EQ(row.name, L"Night");
        EXPECT_EQ(row.core, L"650");
        EXPECT_EQ(row.memory, L"2000");
        EXPECT_EQ(row.shader, L"1300");
    }
    p.memory = 0x7FFFFFFF;
    EXPECT_EQ(ProfileRow(p, 4).memory, L"8589934588");
}

TEST(ProfileRows, ANameWithoutTerminatorStopsAtItsField) {
    PROFILE p{};
    for (wchar_t& c : p.name) c = L'z';
    p.core = 1;
    EXPECT_EQ(ProfileRow(p, 1).name, std::wstring(64, L'z'));
    EXPECT_EQ(ProfileRow(p, 1).core, L"1");
}

TEST(ProfileRows, ANewProfileDividesTheMemorySliderByTheFactorTruncating) {
    struct Case {
        int memorySlider, factor, stored;
    } cases[] = {{2001, 2, 1000}, {4003, 4, 1000}, {1000, 1, 1000}, {1999, 2, 999}, {1000, 0, 1000}};
    for (const Case& c : cases) {
        const PROFILE p = ProfileFromSliders(700, c.memorySlider, c.factor, 1400, 110);
        EXPECT_EQ(ProfileValues(p), (std::array<int, 4>{700, c.stored, 1400, 110})) << c.memorySlider << " / " << c.factor;
        EXPECT_STREQ(p.name, L"New Profile");
    }
}

TEST(OptionsValues, StepSizesMapToItemsAndBack) {
    struct Case {
        uint32_t stored;
        int item;
    } cases[] = {{1, 0}, {5, 1}, {10, 2}, {2, -1}, {0, -1}, {0xFFFFFFFF, -1}};
    for (const Case& c : cases) EXPECT_EQ(StepSizeItem(c.stored), c.item) << c.stored;
    struct Text {
        const wchar_t* text;
        uint32_t value;
    } texts[] = {{L"1 MHz", 1}, {L"5 MHz", 5}, {L"10 MHz", 10}, {L"", 5}, {L"2 MHz", 5}, {L"10 MHz ", 5}};
    for (const Text& t : texts) EXPECT_EQ(StepSizeFromText(t.text), t.value) << t.text;
}

TEST(OptionsValues, OnlyAStoredOneShowsChecked) {
    EXPECT_TRUE(ShowsChecked(1));
    for (uint32_t value : {0u, 2u, 0xFFFFFFFFu}) EXPECT_FALSE(ShowsChecked(value)) << value;
}

TEST(OptionsValues, TranslationKeyNeedsFourBytes) {
    const unsigned char usAnsi[] = {0x09, 0x04, 0xE4, 0x04, 0x07, 0x04, 0xB0, 0x04};
    EXPECT_EQ(VersionTranslationKey(usAnsi, 8), L"040904e4");
    EXPECT_EQ(VersionTranslationKey(usAnsi, 4), L"040904e4");
    const unsigned char high[] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(VersionTranslationKey(high, 4), L"ffffffff");
    EXPECT_EQ(VersionTranslationKey(usAnsi, 3), L"");
    EXPECT_EQ(VersionTranslationKey(nullptr, 4), L"");
}

}  // namespace
