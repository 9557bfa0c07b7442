#include <gtest/gtest.h>

#include <cwchar>
#include <random>

#include "store/ProfileStore.h"
#include "store/Settings.h"
#include "MemorySettingsStore.h"
#include "tests/host/ProfileMaker.h"

namespace {

const std::wstring kCard = L"10DE-06C0";

void PutProfile(MemorySettingsStore& store, int n, uint32_t core, uint32_t mem, uint32_t shader, uint32_t fan,
                const std::wstring& name = L"") {
    auto& section = store.sections[ProfileStore::SectionName(kCard, n)];
    section[L"Core"] = core;
    section[L"Mem"] = mem;
    section[L"Shader"] = shader;
    section[L"Fan"] = fan;
    if (!name.empty()) section[L"Name"] = name;
}

TEST(CardKey, IsUpperCaseHexPaddedToFourDigits) {
    EXPECT_EQ(ProfileStore::CardKey(0x10DE, 0x06C0), L"10DE-06C0");
    EXPECT_EQ(ProfileStore::CardKey(0x0001, 0xABCD), L"0001-ABCD");
    EXPECT_EQ(ProfileStore::SectionName(L"10DE-06C0", 0), L"10DE-06C0\\Profile 0");
    EXPECT_EQ(ProfileStore::SectionName(L"10DE-06C0", 63), L"10DE-06C0\\Profile 63");
}

TEST(ProfileLoad, GapEndsTheLoadAndZeroClocksSkipWithoutEnding) {
    MemorySettingsStore store;
    PutProfile(store, 0, 700, 1000, 1400, 40, L"Quiet");
    PutProfile(store, 1, 900, 1000, 0, 40);    // no shader: skipped
    PutProfile(store, 2, 750, 0, 1500, 40);    // no memory: skipped
    PutProfile(store, 3, 800, 1100, 1600, 110);
    PutProfile(store, 5, 810, 1100, 1600, 50);  // after the gap at 4: never read
    const ProfileList list = ProfileStore::Load(store, kCard, true);
    ASSERT_EQ(list.size(), 2u);  // profiles 0 and 1; the zero core of 2 ends the load
    EXPECT_STREQ(list[0].name, L"Quiet");
    EXPECT_EQ(list[0].core, 700);
    EXPECT_STREQ(list[1].name, L"New Profile");
    EXPECT_EQ(list[1].core, 800);
    EXPECT_EQ(list[1].fan, 110);
}

TEST(ProfileLoad, ZeroShaderIsKeptOnlyOnACardWithoutShaderClock) {
    MemorySettingsStore store;
    PutProfile(store, 0, 600, 900, 0, 30);
    EXPECT_TRUE(ProfileStore::Load(store, kCard, true).empty());
    const ProfileList list = ProfileStore::Load(store, kCard, false);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].shader, 0);
}

TEST(ProfileLoad, FanKeepsLowEightBitsAndReadsStopAtSixtyFour) {
    MemorySettingsStore store;
    for (int n = 0; n < 70; ++n) PutProfile(store, n, 700 + n, 1000, 1400, n == 0 ? 300 : 110);
    const ProfileList list = ProfileStore::Load(store, kCard, true);
    ASSERT_EQ(list.size(), 64u);
    EXPECT_EQ(list[0].fan, 44);
    EXPECT_EQ(list[63].core, 763);
}

TEST(ProfileLoad, LongNamesAreCutTo63UnitsWithoutSplittingASurrogatePair) {
    MemorySettingsStore store;
    PutProfile(store, 0, 700, 1000, 1400, 0, std::wstring(200, L'x'));
    std::wstring pair(62, L'y');
    pair += L"\xD83D\xDE00";  // a surrogate pair at units 62 and 63
    PutProfile(store, 1, 700, 1000, 1400, 0, pair);
    const ProfileList list = ProfileStore::Load(store, kCard, true);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(std::wstring(list[0].name), std::wstring(63, L'x'));
    EXPECT_EQ(std::wstring(list[1].name), std::wstring(62, L'y'));
}

TEST(ProfileLoad, AnUnreadableCoreCostsOnlyItsOwnProfileAcrossAStartAndAnExit) {
    MemorySettingsStore store;
    for (int n = 0; n < 10; ++n) PutProfile(store, n, 700 + n, 1000, 1400, 0, L"P" + std::to_wstring(n));
    store.sections[ProfileStore::SectionName(kCard, 5)][L"Core"] = std::wstring(L"705");
    const ProfileList loaded = ProfileStore::Load(store, kCard, true);
    ProfileStore::StoreAtShutdown(store, kCard, loaded);
    const ProfileList reloaded = ProfileStore::Load(store, kCard, true);
    ASSERT_EQ(reloaded.size(), 9u);
    for (size_t i = 0; i < reloaded.size(); ++i) {
        const int n = i < 5 ? static_cast<int>(i) : static_cast<int>(i) + 1;
        EXPECT_EQ(reloaded[i].core, 700 + n) << i;
        EXPECT_EQ(reloaded[i].name, L"P" + std::to_wstring(n)) << i;
    }
}

TEST(ProfileLoad, WrongTypesReadAsAbsentAndAnEmptyCardKeyLoadsNothing) {
    MemorySettingsStore store;
    auto& s0 = store.sections[ProfileStore::SectionName(kCard, 0)];
    s0[L"Core"] = std::wstring(L"900");  // skipped; a stored 0 or no "Core" at all ends the load
    PutProfile(store, 1, 700, 1000, 1400, 0);
    PutProfile(store, 2, 0, 1000, 1400, 0);
    PutProfile(store, 3, 700, 1000, 1400, 0);
    EXPECT_EQ(ProfileStore::Load(store, kCard, true).size(), 1u);

    PutProfile(store, 0, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu);
    store.sections[ProfileStore::SectionName(kCard, 0)][L"Name"] = 5u;
    const ProfileList list = ProfileStore::Load(store, kCard, true);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_STREQ(list[0].name, L"New Profile");
    EXPECT_EQ(list[0].fan, 255);

    EXPECT_TRUE(ProfileStore::Load(store, L"", true).empty());
}

TEST(ProfileSave, ClearsAll128ThenWritesClosedUpNumbers) {
    MemorySettingsStore store;
    PutProfile(store, 0, 700, 1000, 1400, 300);
    PutProfile(store, 1, 900, 1000, 0, 40);
    PutProfile(store, 2, 800, 1100, 1600, 110, L"Fast");
    PutProfile(store, 4, 810, 1100, 1600, 50);
    store.sections[L"1234-5678\\Profile 0"][L"Core"] = 1u;  // another card: untouched

    ProfileStore::StoreAtShutdown(store, kCard, ProfileStore::Load(store, kCard, true));

    ASSERT_EQ(store.deleted.size(), 128u);
    EXPECT_EQ(store.deleted.front(), kCard + L"\\Profile 0");
    EXPECT_EQ(store.deleted.back(), kCard + L"\\Profile 127");
    EXPECT_EQ(store.ReadString(L"", Settings::LastCard, L""), kCard);
    EXPECT_EQ(store.ReadInt(kCard + L"\\Profile 0", L"Fan", 0), 44u);
    EXPECT_EQ(store.ReadString(kCard + L"\\Profile 1", L"Name", L""), L"Fast");
    EXPECT_EQ(store.ReadInt(kCard + L"\\Profile 1", L"Core", 0), 800u);
    for (int n = 2; n <= 4; ++n) EXPECT_EQ(store.sections.count(ProfileStore::SectionName(kCard, n)), 0u) << n;
    EXPECT_EQ(store.ReadInt(L"1234-5678\\Profile 0", L"Core", 0), 1u);
}

TEST(ProfileSave, WritesEveryProfileInOrderAndLeavesCoreZeroIndexesEmpty) {
    MemorySettingsStore store;
    ProfileList list;
    for (int n = 0; n < 70; ++n) list.push_back(MakeProfile(L"P", n == 3 ? 0 : 700, 1000, 1400, 110));
    ProfileStore::Save(store, kCard, list);
    EXPECT_EQ(store.sections.count(ProfileStore::SectionName(kCard, 3)), 0u);
    EXPECT_EQ(store.ReadInt(ProfileStore::SectionName(kCard, 69), L"Core", 0), 700u);
    const std::wstring s0 = ProfileStore::SectionName(kCard, 0);
    const std::vector<std::wstring> firstWrites(store.writes.begin(), store.writes.begin() + 5);
    EXPECT_EQ(firstWrites, (std::vector<std::wstring>{s0 + L"|Name", s0 + L"|Core", s0 + L"|Mem", s0 + L"|Shader",
                                                       s0 + L"|Fan"}));
    EXPECT_EQ(store.ReadInt(L"", L"LastCard", 7), 7u);  // a save is not the shutdown: no "LastCard"
}

TEST(ProfileSave, AnEmptyCardKeyWritesNothing) {
    MemorySettingsStore store;
    ProfileStore::StoreAtShutdown(store, L"", {MakeProfile(L"P", 700, 1000, 1400, 0)});
    ProfileStore::Save(store, L"", {MakeProfile(L"P", 700, 1000, 1400, 0)});
    EXPECT_TRUE(store.sections.empty());
    EXPECT_TRUE(store.deleted.empty());
}

TEST(ProfileStoreRoundTrip, RandomStoredDataNeverBreaksTheLoad) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        MemorySettingsStore store;
        for (int n = 0; n < 80; ++n) {
            auto& section = store.sections[ProfileStore::SectionName(kCard, n)];
            for (const wchar_t* name : {L"Core", L"Mem", L"Shader", L"Fan", L"Name"}) {
                switch (random() % 4) {
                    case 0: break;
                    case 1: section[name] = static_cast<uint32_t>(random()); break;
                    case 2: section[name] = static_cast<uint32_t>(random() % 3); break;
                    default: section[name] = std::wstring(random() % 300, static_cast<wchar_t>(0xD800 + random() % 0x800));
                }
            }
        }
        const ProfileList list = ProfileStore::Load(store, kCard, random() % 2);
        ASSERT_LE(list.size(), 64u);
        for (const PROFILE& p : list) {
            ASSERT_LT(wcsnlen(p.name, 64), 64u);
            ASSERT_NE(p.core, 0);
            ASSERT_NE(p.memory, 0);
        }
        MemorySettingsStore saved;
        ProfileStore::Save(saved, kCard, list);
        ASSERT_EQ(ProfileStore::Load(saved, kCard, false).size(), list.size());
    }
}

}  // namespace

// Each start state, then a run of list changes as the dialog and the controller make them; after
// every change the store must equal what the full rewrite leaves over the same start state.
TEST(ProfileSaveChanges, EveryChangeLeavesTheStoreAsTheFullRewrite) {
    using Change = void (*)(ProfileList&);
    const Change changes[] = {
        [](ProfileList& l) { l.push_back(MakeProfile(L"New Profile", 720, 1010, 1450, 55)); },
        [](ProfileList& l) { SetProfileName(l[3], L"Renamed"); },
        [](ProfileList& l) { l.erase(l.begin()); },
        [](ProfileList& l) { l.pop_back(); },
        [](ProfileList& l) { l.erase(l.begin() + 4); },
        [](ProfileList& l) { l.push_back(MakeProfile(L"", 730, 1020, 0, 0)); },
    };
    using Damage = void (*)(MemorySettingsStore&);
    const Damage starts[] = {
        [](MemorySettingsStore&) {},
        [](MemorySettingsStore& s) { s.sections[ProfileStore::SectionName(kCard, 2)][L"Extra"] = 1u; },
        [](MemorySettingsStore& s) { s.sections[ProfileStore::SectionName(kCard, 5)][L"Core"] = std::wstring(L"x"); },
        [](MemorySettingsStore& s) { s.sections[ProfileStore::SectionName(kCard, 1)][L"Fan"] = 300u; },
        [](MemorySettingsStore& s) { s.sections[ProfileStore::SectionName(kCard, 0)].erase(L"Name"); },
        [](MemorySettingsStore& s) { s.sections[ProfileStore::SectionName(kCard, 3)][L"Name"] = 3u; },
        [](MemorySettingsStore& s) { s.sections[ProfileStore::SectionName(kCard, 4) + L"\\Below"][L"X"] = 1u; },
        [](MemorySettingsStore& s) { PutProfile(s, 100, 700, 1000, 1400, 0); },
        [](MemorySettingsStore& s) { PutProfile(s, 20, 0, 1000, 1400, 0); },
    };
    for (size_t start = 0; start < std::size(starts); ++start) {
        MemorySettingsStore before;
        for (int n = 0; n < 12; ++n) PutProfile(before, n, 700 + n, 1000, n == 7 ? 0 : 1400, n, L"P" + std::to_wstring(n));
        starts[start](before);
        MemorySettingsStore store = before;
        ProfileStore::StoredSections stored;
        ProfileList list = ProfileStore::Load(store, kCard, false, &stored);
        for (size_t c = 0; c < std::size(changes); ++c) {
            changes[c](list);
            ProfileStore::Save(store, kCard, list, stored);
            MemorySettingsStore rewritten = before;
            ProfileStore::Save(rewritten, kCard, list);
            ASSERT_EQ(store.sections, rewritten.sections) << "start " << start << ", change " << c;
        }
        ProfileStore::StoreAtShutdown(store, kCard, list, stored);
        MemorySettingsStore rewritten = before;
        ProfileStore::StoreAtShutdown(rewritten, kCard, list);
        EXPECT_EQ(store.sections, rewritten.sections) << "start " << start << ", exit";

        // Once known, a rename touches its own section only and the exit writes no profile.
        store.writes.clear();
        store.deleted.clear();
        SetProfileName(list[2], L"Again");
        ProfileStore::Save(store, kCard, list, stored);
        ProfileStore::StoreAtShutdown(store, kCard, list, stored);
        EXPECT_EQ(store.writes.size(), 6u) << "start " << start;
        EXPECT_TRUE(store.deleted.empty()) << "start " << start;
    }
}
