#include "search/ValueText.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
    const char* text;
    uint32_t expected;
};

TEST(IsByteValueTest, ZeroTo255Only) {
    EXPECT_TRUE(IsByteValue(0));
    EXPECT_TRUE(IsByteValue(255));
    EXPECT_FALSE(IsByteValue(256));
    EXPECT_FALSE(IsByteValue(static_cast<uint32_t>(-1)));
}

TEST(ReadHexValueTest, FirstTokenAndOverflowRefused) {
    const TextCase cases[] = {
        {"", 0},
        {"FF", 0xFF},
        {"0A", 0x0A},
        {"100", 0x100},
        {"FF 12", 0xFF},
        {"00000000FF", 0xFF},         // leading zeros are not significant
        {"FFFFFFFF", 0xFFFFFFFF},
        {"1000000FF", OutOfRange},    // would wrap to 0xFF
        {"100000000", OutOfRange},    // would wrap to 0
        {"123456789ABCDEF01", OutOfRange},
    };
    for (const TextCase& c : cases) {
        uint32_t value = ReadHexValue(c.text);
        EXPECT_EQ(c.expected, value) << "\"" << c.text << "\"";
    }
    EXPECT_FALSE(IsByteValue(ReadHexValue("1000000FF")));
}

TEST(ReadDecimalValueTest, AtolReadingWithoutWrapping) {
    const TextCase cases[] = {
        {"", 0},
        {"0", 0},
        {"255", 255},
        {"  42", 42},
        {"+7", 7},
        {"-0", 0},
        {"12abc", 12},
        {"00000000000000000255", 255},
        {"256", OutOfRange},
        {"-1", OutOfRange},
        {"4294967296", OutOfRange},       // 2^32 would wrap to 0
        {"4294967551", OutOfRange},       // 2^32 + 255 would wrap to 255
        {"99999999999999999999", OutOfRange},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(c.expected, ReadDecimalValue(c.text)) << "\"" << c.text << "\"";
    }
}

TEST(FormatTest, ByteValuesAndOffsets) {
    struct Case {
        uint32_t value;
        int base;
        const char* expected;
    };
    const Case bytes[] = {
        {0, 16, "00"}, {0x0A, 16, "0a"}, {0xFF, 16, "ff"}, {0x10, 16, "10"}, {0, 10, "0"}, {255, 10, "255"},
    };
    for (const Case& c : bytes) {
        char text[ValueTextSize];
        FormatByteValue(c.value, c.base, text);
        EXPECT_STREQ(c.expected, text);
    }
    const Case offsets[] = {
        {0x1A, 16, "0000001a"}, {0x1F, 16, "0000001f"}, {0, 16, "00000000"}, {0xFFFFFFFF, 16, "ffffffff"},
        {0x7FFFFFFE, 16, "7ffffffe"},
    };
    for (const Case& c : offsets) {
        char text[ValueTextSize];
        FormatOffset(c.value, text);
        EXPECT_STREQ(c.expected, text);
    }
}

}  // namespace
