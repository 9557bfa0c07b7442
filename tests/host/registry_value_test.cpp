// Registry value decoding: which types and sizes read as a number or as text, byte for byte.
#include <gtest/gtest.h>

#include <vector>

#include "framework/RegistryValue.h"

namespace {

struct Raw {
    uint32_t type;
    std::vector<uint8_t> bytes;
};

}  // namespace

TEST(RegistryValue, OnlyAFourByteDwordIsANumber) {
    struct Case {
        Raw raw;
        std::optional<uint32_t> number;
    } cases[] = {
        {{4, {0x78, 0x56, 0x34, 0x12}}, 0x12345678u},
        {{4, {0xFF, 0xFF, 0xFF, 0xFF}}, 0xFFFFFFFFu},
        {{4, {0x84, 0x03}}, std::nullopt},                           // two bytes
        {{4, {0x84, 0x03, 0, 0, 0, 0, 0, 0}}, std::nullopt},         // eight bytes
        {{4, {}}, std::nullopt},
        {{11, {0x84, 0x03, 0, 0}}, std::nullopt},                    // QWORD type, four bytes
        {{3, {0x84, 0x03, 0, 0}}, std::nullopt},                     // binary
        {{1, {'9', 0, '0', 0, '0', 0, 0, 0}}, std::nullopt},         // text "900"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.raw.type << ", " << c.raw.bytes.size() << " bytes");
        EXPECT_EQ(RegistryValue::Dword(c.raw.type, c.raw.bytes.data(), c.raw.bytes.size()), c.number);
    }
}

TEST(RegistryValue, TextIsUtf16UpToTheFirstNulOrTheEnd) {
    struct Case {
        Raw raw;
        std::optional<std::wstring> text;
    } cases[] = {
        {{1, {'a', 0, 'b', 0, 0, 0}}, L"ab"},
        {{1, {'a', 0, 'b', 0, 'c', 0}}, L"abc"},                     // no terminator
        {{1, {'a', 0, 'b', 0, 'c'}}, L"ab"},                         // odd last byte
        {{1, {'a', 0, 0, 0, 'c', 0}}, L"a"},                         // embedded NUL
        {{1, {0xE9, 0x00, 0x2D, 0x4E, 0x3D, 0xD8, 0x00, 0xDE}}, std::wstring{0xE9, 0x4E2D, 0xD83D, 0xDE00}},
        {{1, {}}, L""},
        {{2, {'a', 0, 0, 0}}, std::nullopt},                         // expandable text
        {{4, {'a', 0, 0, 0}}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.raw.type << ", " << c.raw.bytes.size() << " bytes");
        EXPECT_EQ(RegistryValue::Text(c.raw.type, c.raw.bytes.data(), c.raw.bytes.size()), c.text);
    }
}

TEST(RegistryValue, TextLargerThanAMegabyteIsRefused) {
    const std::vector<uint8_t> limit(1 << 20, 'x');
    EXPECT_EQ(RegistryValue::Text(1, limit.data(), limit.size())->size(), size_t{1} << 19);
    const std::vector<uint8_t> over((1 << 20) + 2, 'x');
    EXPECT_EQ(RegistryValue::Text(1, over.data(), over.size()), std::nullopt);
}
