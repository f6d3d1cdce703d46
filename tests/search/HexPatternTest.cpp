#include "search/HexPattern.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<int> Bytes(const char* text) {
    // Guard bytes behind the room the routine may use show any write beyond it.
    const int Guard = 0x5A;
    uint8_t out[MaxPatternBytes + 4];
    memset(out, Guard, sizeof out);
    int count = HexTextToBytes(text, out);
    for (size_t i = MaxPatternBytes; i < sizeof out; ++i) {
        EXPECT_EQ(Guard, out[i]) << "wrote beyond the pattern for \"" << text << "\"";
    }
    return std::vector<int>(out, out + count);
}

TEST(HexTextToBytesTest, OneByteOfLowBitsPerToken) {
    struct Case {
        const char* text;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"0D 0A", {0x0D, 0x0A}},
        {"0D0A", {0x0A}},
        {"ABC", {0xBC}},
        {"1 2 3", {0x01, 0x02, 0x03}},
        {"0D 0A ", {0x0D, 0x0A}},
        {"  41", {0x41}},
        {"FFFFFFFFF1", {0xF1}},
        {"  ", {}},
        {"", {}},
        {"xyz", {}},
        {"ab", {}},  // only upper-case digits count
        {"1 2 3 4 5 6 7 8 9 A B", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, Bytes(c.text)) << "\"" << c.text << "\"";
    }
}

TEST(HexTextToBytesTest, NeverMoreThanThePatternHolds) {
    std::string text;
    for (int i = 0; i < MaxPatternBytes + 10; ++i) {
        text += "7 ";
    }
    EXPECT_EQ(std::vector<int>(MaxPatternBytes, 7), Bytes(text.c_str()));
}

TEST(BytesToHexTextTest, UpperCasePairsSeparatedByOneBlank) {
    struct Case {
        std::vector<uint8_t> bytes;
        const char* expected;
    };
    const Case cases[] = {
        {{}, ""},
        {{0x0D, 0x0A}, "0D 0A"},
        {{0x00}, "00"},
        {{0xAB, 0xCD, 0xEF}, "AB CD EF"},
        {{1, 2, 3, 4, 5, 6, 7}, "01 02 03 04 05 06 07"},
    };
    for (const Case& c : cases) {
        char out[3 * MaxPatternBytes + 1];
        memset(out, '#', sizeof out);
        BytesToHexText(c.bytes.data(), static_cast<int>(c.bytes.size()), out);
        EXPECT_STREQ(c.expected, out);
        EXPECT_EQ(c.bytes.empty() ? 0 : 3 * c.bytes.size() - 1, strlen(out));
    }
}

TEST(BytesToHexTextTest, ShownPairsFitTheFindHexField) {
    const size_t FieldLimit = 21;
    std::vector<uint8_t> bytes(MaxShownPatternBytes, 0xEE);
    char out[3 * MaxPatternBytes + 1];
    BytesToHexText(bytes.data(), MaxShownPatternBytes, out);
    EXPECT_LE(strlen(out), FieldLimit);
    // The text goes back into the same bytes.
    uint8_t back[MaxPatternBytes];
    ASSERT_EQ(MaxShownPatternBytes, HexTextToBytes(out, back));
    EXPECT_EQ(0, memcmp(bytes.data(), back, MaxShownPatternBytes));
}

}  // namespace
