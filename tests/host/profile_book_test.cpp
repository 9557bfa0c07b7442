// The profile list's shared changes: the 64-profile cap, refused clocks of 0, names, the revision
// and the save after every change.
#include <gtest/gtest.h>

#include <cwchar>
#include <vector>

#include "store/ProfileBook.h"
#include "tests/host/ProfileMaker.h"

namespace {

struct SaveLog {
    std::vector<size_t> counts;
    ProfileBook::Saver Fn() {
        return [this](const ProfileList& list) { counts.push_back(list.size()); };
    }
};

TEST(ProfileBook, EveryChangeIsSavedAtOnceAndBumpsTheRevision) {
    SaveLog saves;
    ProfileBook book(saves.Fn());
    book.Replace({MakeProfile(L"A"), MakeProfile(L"B")});
    EXPECT_TRUE(saves.counts.empty());  // a load stores nothing

    uint32_t seen = book.Revision();
    EXPECT_EQ(book.Create(MakeProfile(L"C")), ProfileBook::CreateResult::Created);
    EXPECT_NE(book.Revision(), seen);
    seen = book.Revision();
    EXPECT_TRUE(book.Rename(0, L"First"));
    EXPECT_NE(book.Revision(), seen);
    seen = book.Revision();
    EXPECT_TRUE(book.Remove(1));
    EXPECT_NE(book.Revision(), seen);
    EXPECT_EQ(saves.counts, (std::vector<size_t>{3, 3, 2}));
    ASSERT_EQ(book.Count(), 2u);
    EXPECT_STREQ(book.At(0).name, L"First");
    EXPECT_STREQ(book.At(1).name, L"C");
}

TEST(ProfileBook, ARowOfAnOlderRevisionOrPastTheEndIsNotCurrent) {
    ProfileBook book;
    book.Replace({MakeProfile(L"A"), MakeProfile(L"B")});
    const uint32_t filled = book.Revision();
    EXPECT_TRUE(book.IsCurrent(filled, 1));
    EXPECT_FALSE(book.IsCurrent(filled, 2));
    book.Remove(0);
    EXPECT_FALSE(book.IsCurrent(filled, 0));
    EXPECT_FALSE(book.Remove(1));
    EXPECT_FALSE(book.Rename(5, L"X"));
}

TEST(ProfileBook, TheSixtyFifthProfileAndClocksOfZeroAreRefused) {
    SaveLog saves;
    ProfileBook book(saves.Fn());
    struct Case {
        int32_t core, memory;
        ProfileBook::CreateResult result;
    } cases[] = {{0, 1000, ProfileBook::CreateResult::NoClocks},
                 {700, 0, ProfileBook::CreateResult::NoClocks},
                 {700, 1000, ProfileBook::CreateResult::Created}};
    for (const Case& c : cases) EXPECT_EQ(book.Create(MakeProfile(L"P", c.core, c.memory)), c.result) << c.core << " " << c.memory;
    EXPECT_EQ(book.Count(), 1u);
    for (int i = 1; i < 64; ++i) ASSERT_EQ(book.Create(MakeProfile(L"P")), ProfileBook::CreateResult::Created) << i;
    const uint32_t full = book.Revision();
    const size_t savesWhenFull = saves.counts.size();
    EXPECT_EQ(book.Create(MakeProfile(L"Too many")), ProfileBook::CreateResult::Full);
    EXPECT_EQ(book.Count(), 64u);
    EXPECT_EQ(book.Revision(), full);
    EXPECT_EQ(saves.counts.size(), savesWhenFull);
}

TEST(ProfileBook, AnEmptyNameKeepsTheOldOneAndALongOneIsCut) {
    ProfileBook book;
    book.Replace({MakeProfile(L"Quiet")});
    book.Rename(0, L"");
    EXPECT_STREQ(book.At(0).name, L"Quiet");
    const std::wstring seventy(70, L'x');
    book.Rename(0, seventy);
    EXPECT_EQ(std::wcslen(book.At(0).name), 63u);
    EXPECT_EQ(std::wstring(book.At(0).name), std::wstring(63, L'x'));
}

}  // namespace
