#include "framework/TextUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// What an edit that works in place leaves of text, in a buffer of the size the program uses.
std::string EditedInPlace(void (*edit)(char*), const char* text) {
    char buffer[64];
    strcpy(buffer, text);
    edit(buffer);
    return buffer;
}

}  // namespace

TEST(NumberToText, WritesSignedDecimalAndUnsignedLowerCaseHex) {
    struct Case { int32_t value; int base; const char* expected; };
    const Case cases[] = {
        {0, 10, "0"}, {0, 16, "0"}, {255, 16, "ff"}, {-1, 16, "ffffffff"}, {-1, 10, "-1"},
        {INT32_MIN, 10, "-2147483648"}, {INT32_MAX, 10, "2147483647"}, {1000, 16, "3e8"},
        {1234567, 16, "12d687"}, {1234567, 10, "1234567"},
    };
    for (const Case& c : cases) {
        char buffer[20];
        EXPECT_STREQ(c.expected, NumberToText(c.value, buffer, c.base)) << c.value << " base " << c.base;
    }
}

TEST(PrependChar, PadsToWidthAndHandlesEmpty) {
    char text[20] = "ff";
    while (strlen(text) < 8) {
        PrependChar(text, '0');
    }
    EXPECT_STREQ("000000ff", text);
    char empty[4] = "";
    PrependChar(empty, 'x');
    EXPECT_STREQ("x", empty);
}

TEST(LowerAscii, ChangesOnlyAsciiCapitals) {
    char text[] = "AbC-Z@[\xC9\xE9";
    EXPECT_EQ(text, LowerAscii(text));
    EXPECT_STREQ("abc-z@[\xC9\xE9", text);
}

TEST(HexDigits, ByteAndDwordAreUpperCaseWithoutTerminator) {
    char out[10];
    memset(out, '#', sizeof(out));
    ByteToHex(0xAB, out);
    EXPECT_EQ(std::string("AB##"), std::string(out, 4));
    ByteToHex(0x1FF, out);
    EXPECT_EQ(std::string("FF"), std::string(out, 2));
    memset(out, '#', sizeof(out));
    DwordToHex(127715, out);
    EXPECT_EQ(std::string("0001F2E3#"), std::string(out, 9));
}

TEST(InsertThousandsSeparators, GroupsTheFirstDigitRun) {
    struct Case { const char* input; const char* expected; };
    const Case cases[] = {
        {"1234567", "1,234,567"}, {"123", "123"}, {"1234", "1,234"}, {"123456", "123,456"},
        {"-1234", "-1,234"}, {"abc", "abc"}, {"", ""}, {"ab12345cd", "ab12,345"}, {"0", "0"},
        {"2147483647", "2,147,483,647"}, {"12 3456", "12"}, {"x\xB1" "1000", "x\xB1" "1,000"},
        {"123456789012345678901234567890", "123,456,789,012,345,678,901,234,567,890"},
        {"1234567890123456789012345678901", "1234567890123456789012345678901"},  // over 30: unchanged
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, EditedInPlace(InsertThousandsSeparators, c.input)) << c.input;
    }
}

TEST(FileNameOfPath, TakesThePartAfterTheLastSeparator) {
    struct Case { const char* path; int size; const char* expected; };
    const std::string longName(100, 'n');
    const std::string first59(59, 'n');
    const Case cases[] = {
        {"C:\\dir\\file.bin", 60, "file.bin"}, {"C:file", 60, "file"}, {"dir/sub/f", 60, "f"},
        {"name", 60, "name"}, {"C:\\dir\\", 60, ""}, {longName.c_str(), 60, first59.c_str()},
        {"abc", 1, ""}, {"abcdef", 4, "abc"}, {"a\\b/c:d", 60, "d"}, {"\\name", 60, "name"},
    };
    for (const Case& c : cases) {
        char out[128];
        FileNameOfPath(c.path, out, c.size);
        EXPECT_STREQ(c.expected, out) << c.path;
    }
}

TEST(RemoveExtension, CutsAtTheExtensionDotOnly) {
    struct Case { const char* path; const char* expected; };
    const Case cases[] = {
        {"C:\\dir\\file.txt", "C:\\dir\\file"}, {"C:\\dir.d\\file", "C:\\dir.d\\file"}, {"a.tar.gz", "a.tar"},
        {"file", "file"}, {"", ""}, {"x.y/z", "x"}, {".cfg", ""}, {"C:.x", "C:"}, {"a.b:c", "a.b:c"},
        {"dir.\\", "dir.\\"}, {"f.", "f"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, EditedInPlace([](char* path) { RemoveExtension(path); }, c.path)) << c.path;
    }
}

// Code page 932 for the double-byte cases: the second byte of "\x95\x5C" is the backslash, and
// "\x95\x5C" * 50 cut to 59 bytes would end in half a character.
bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

TEST(PathRoutines, CutBetweenCharactersOnly) {
    enum Routine { Name, Extension, Folder };
    struct Case { Routine routine; LeadByteTest isLead; const char* path; const char* expected; };
    std::string wide;
    for (int i = 0; i < 50; ++i) wide += "\x95\x5C";
    const std::string first29 = wide.substr(0, 58);
    const Case cases[] = {
        {Folder, nullptr, "C:\\dir\\f.bin", "C:\\dir"}, {Folder, nullptr, "f.bin", "."}, {Folder, nullptr, "C:f", "C:"},
        {Folder, nullptr, "C:\\f", "C:\\"}, {Folder, nullptr, "\\f", "\\"}, {Folder, nullptr, "d/sub/f", "d/sub"},
        {Name, IsShiftJisLeadByte, "C:\\dir\\\x95\x5C.bin", "\x95\x5C.bin"}, {Name, IsShiftJisLeadByte, wide.c_str(), first29.c_str()},
        {Name, IsShiftJisLeadByte, "a\\b\x95", "b\x95"}, {Extension, IsShiftJisLeadByte, "a.\x95\x5C" "b", "a"},
        {Extension, IsShiftJisLeadByte, "C:\\\x95\x5C.txt", "C:\\\x95\x5C"},
        {Folder, IsShiftJisLeadByte, "C:\\dir\\\x95\x5C.bin", "C:\\dir"}, {Folder, IsShiftJisLeadByte, "C:\\\x95\x5C\\a.bin", "C:\\\x95\x5C"},
    };
    for (const Case& c : cases) {
        char out[128];
        strcpy(out, c.path);
        if (c.routine == Name) FileNameOfPath(c.path, out, 60, c.isLead);
        if (c.routine == Extension) RemoveExtension(out, c.isLead);
        if (c.routine == Folder) FolderOfPath(c.path, out, c.isLead);
        EXPECT_STREQ(c.expected, out) << c.routine << " " << c.path;
    }
}

TEST(SplitCommandLine, CutsInPlaceAndCountsNonEmptyArguments) {
    struct Case { const char* text; int count; const char* args[3]; };
    const Case cases[] = {
        {"prog \"C:\\a b\\f.bin\"", 2, {"prog", "C:\\a b\\f.bin", ""}},
        {"", 0, {"", "", ""}},
        {"a \"\" b", 2, {"a", "", "b"}},
        {"one two three four", 3, {"one", "two", "three"}},
        {"\"open quote runs on", 1, {"open quote runs on", "", ""}},
        {"\"x\"y", 2, {"x", "y", ""}},
        {"a\tb c", 2, {"a\tb", "c", ""}},
        {"   ", 0, {"", "", ""}},
        {"\"\"", 0, {"", "", ""}},
        {"  lead   gap ", 2, {"lead", "gap", ""}},
    };
    for (const Case& c : cases) {
        char text[64];
        strcpy(text, c.text);
        char* args[3];
        EXPECT_EQ(c.count, SplitCommandLine(text, args, 3)) << c.text;
        for (int i = 0; i < 3; ++i) {
            EXPECT_STREQ(c.args[i], args[i]) << c.text << " slot " << i;
        }
    }
    char text[] = "a";
    char* args[1];
    EXPECT_EQ(0, SplitCommandLine(text, args, 0));
    EXPECT_EQ(0, SplitCommandLine(text, args, -1));
    EXPECT_STREQ("a", text);
}

TEST(FindChar, ComparesSignedAndNeverMatchesTheTerminator) {
    const char* cancel = "&Cancel";
    EXPECT_EQ(cancel, FindChar(cancel, '&'));
    EXPECT_EQ(nullptr, FindChar("Cancel", '&'));
    EXPECT_EQ(nullptr, FindChar("abc", 0));
    const char* high = "a\xE9";
    EXPECT_EQ(high + 1, FindChar(high, static_cast<signed char>('\xE9')));
}

TEST(IsHexDigit, AcceptsOnlyDigitsAndCapitalsAToF) {
    for (int ch = -128; ch < 128; ++ch) {
        bool expected = (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F');
        EXPECT_EQ(expected, IsHexDigit(static_cast<char>(ch))) << ch;
    }
}

TEST(ParseHexToken, ReadsTokensWrappingAt32Bits) {
    struct Case { const char* text; uint32_t value; int nextOffset; };  // -1: null
    const Case cases[] = {
        {"1F", 0x1F, 2}, {"0D 0A", 0x0D, 3}, {"123456789", 0x23456789, 9}, {"  ", 0, -1},
        {"ff", 0, -1}, {"0D,0A", 0x0D, 3}, {"x7y", 7, 3}, {"", 0, -1}, {"1000000FF", 0xFF, 9},
        {"FFFFFFFF", 0xFFFFFFFFu, 8}, {" AB\xC1" "C", 0xAB, 4}, {"9 ", 9, 2},
    };
    for (const Case& c : cases) {
        uint32_t value = 12345;
        const char* next = ParseHexToken(c.text, &value);
        EXPECT_EQ(c.value, value) << c.text;
        if (c.nextOffset < 0) {
            EXPECT_EQ(nullptr, next) << c.text;
        } else {
            EXPECT_EQ(c.text + c.nextOffset, next) << c.text;
        }
    }
}

TEST(DecimalToInt, ReadsLikeAtolAndWraps) {
    struct Case { const char* text; int32_t value; };
    const Case cases[] = {
        {"255", 255}, {"  +12x", 12}, {"-7", -7}, {"", 0}, {"abc", 0}, {"4294967296", 0},
        {"4294967551", 255}, {"\t9", 9}, {"2147483648", INT32_MIN}, {"-2147483648", INT32_MIN},
        {"99999999999999999999", static_cast<int32_t>(0x630FFFFFu)}, {"- 5", 0}, {"+-5", 0},
        {"\n\v\f\r 42 7", 42}, {"0012", 12}, {"12\xB3" "4", 12},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.value, DecimalToInt(c.text)) << c.text;
    }
}
