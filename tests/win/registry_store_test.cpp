#include <gtest/gtest.h>

#include "store/RegistryStore.h"
#include "framework/RegKey.h"

namespace {

const std::wstring kRoot = L"Software\\Brenmar\\StoreTest";

void SetRaw(const std::wstring& subkey, const std::wstring& name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

bool KeyExists(const std::wstring& path) {
    CRegKey key;
    return key.Open(HKEY_CURRENT_USER, path);
}

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { store.SetRoot(kRoot); }
    CRegistryStore store;
};

TEST_F(RegistryStoreTest, ValuesRoundTripAndMissingOnesGiveTheDefault) {
    EXPECT_EQ(store.ReadInt(L"", L"LastCore", 17), 17u);
    EXPECT_EQ(store.ReadString(L"10DE-06C0\\Profile 0", L"Name", L"New Profile"), L"New Profile");
    EXPECT_FALSE(KeyExists(kRoot));  // reading creates nothing

    store.WriteInt(L"", L"LastCore", 0xFFFFFFFFu);
    store.WriteString(L"10DE-06C0\\Profile 0", L"Name", L"Fast \x00e9\x4e2d");
    EXPECT_EQ(store.ReadInt(L"", L"LastCore", 0), 0xFFFFFFFFu);
    EXPECT_EQ(store.ReadString(L"10DE-06C0\\Profile 0", L"Name", L""), L"Fast \x00e9\x4e2d");

    DWORD type = 0;
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (kRoot + L"\\10DE-06C0\\Profile 0").c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegQueryValueExW(key, L"Name", nullptr, &type, nullptr, nullptr);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistryStoreTest, ValuesOfTheWrongTypeOrShapeReadAsAbsent) {
    const DWORD four = 4;
    const wchar_t text[] = L"900";
    const unsigned long long wide = 900;
    const WORD half = 900;
    SetRaw(kRoot, L"StringWhereNumber", REG_SZ, text, sizeof(text));
    SetRaw(kRoot, L"BinaryOfFourBytes", REG_BINARY, &four, sizeof(four));
    SetRaw(kRoot, L"Qword", REG_QWORD, &wide, sizeof(wide));
    SetRaw(kRoot, L"ShortDword", REG_DWORD, &half, sizeof(half));
    SetRaw(kRoot, L"NumberWhereString", REG_DWORD, &four, sizeof(four));
    SetRaw(kRoot, L"Expandable", REG_EXPAND_SZ, text, sizeof(text));
    for (const wchar_t* name : {L"StringWhereNumber", L"BinaryOfFourBytes", L"Qword", L"ShortDword"})
        EXPECT_EQ(store.ReadInt(L"", name, 5), 5u) << name;
    EXPECT_EQ(store.ReadString(L"", L"NumberWhereString", L"d"), L"d");
    EXPECT_EQ(store.ReadString(L"", L"Expandable", L"d"), L"d");
}

TEST_F(RegistryStoreTest, StringsWithoutTerminatorOrWithOddLengthOrHugeReadSafely) {
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    SetRaw(kRoot, L"Unterminated", REG_SZ, unterminated, sizeof(unterminated));
    const char odd[] = {'a', 0, 'b', 0, 'c'};
    SetRaw(kRoot, L"OddLength", REG_SZ, odd, sizeof(odd));
    const wchar_t embedded[] = L"ab\0cd";
    SetRaw(kRoot, L"Embedded", REG_SZ, embedded, sizeof(embedded));
    std::wstring huge(300000, L'x');
    SetRaw(kRoot, L"Huge", REG_SZ, huge.c_str(), static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t)));
    SetRaw(kRoot, L"Empty", REG_SZ, L"", 0);

    EXPECT_EQ(store.ReadString(L"", L"Unterminated", L"d"), L"abc");
    EXPECT_EQ(store.ReadString(L"", L"OddLength", L"d"), L"ab");
    EXPECT_EQ(store.ReadString(L"", L"Embedded", L"d"), L"ab");
    EXPECT_EQ(store.ReadString(L"", L"Huge", L"d"), huge);
    EXPECT_EQ(store.ReadString(L"", L"Empty", L"d"), L"");
}

TEST_F(RegistryStoreTest, DeletingASectionRemovesItsTreeButNeverTheApplicationKey) {
    store.WriteInt(L"10DE-06C0\\Profile 1", L"Core", 700);
    store.WriteInt(L"10DE-06C0\\Profile 1\\Deeper", L"Core", 700);
    store.WriteInt(L"", L"LastCore", 700);
    store.DeleteSection(L"10DE-06C0\\Profile 1");
    store.DeleteSection(L"10DE-06C0\\Profile 99");  // missing: no error
    store.DeleteSection(L"");
    EXPECT_FALSE(KeyExists(kRoot + L"\\10DE-06C0\\Profile 1"));
    EXPECT_TRUE(KeyExists(kRoot + L"\\10DE-06C0"));
    EXPECT_EQ(store.ReadInt(L"", L"LastCore", 0), 700u);
}

TEST(RegistryStoreWithoutRoot, ReadsDefaultsAndWritesNothing) {
    CRegistryStore store;
    store.WriteInt(L"", L"LastCore", 700);
    store.WriteString(L"Section", L"Name", L"x");
    EXPECT_EQ(store.ReadInt(L"", L"LastCore", 3), 3u);
    EXPECT_FALSE(KeyExists(L"Section"));
}

}  // namespace
