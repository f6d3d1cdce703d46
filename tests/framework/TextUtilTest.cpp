#include "framework/TextUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
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
    struct Case { const wchar_t* path; int size; const wchar_t* expected; };
    const std::wstring longName(100, L'n');
    const std::wstring first59(59, L'n');
    const Case cases[] = {
        {L"C:\\dir\\file.bin", 60, L"file.bin"}, {L"C:file", 60, L"file"}, {L"dir/sub/f", 60, L"f"},
        {L"name", 60, L"name"}, {L"C:\\dir\\", 60, L""}, {longName.c_str(), 60, first59.c_str()},
        {L"abc", 1, L""}, {L"abcdef", 4, L"abc"}, {L"a\\b/c:d", 60, L"d"}, {L"\\name", 60, L"name"},
    };
    for (const Case& c : cases) {
        wchar_t out[128];
        FileNameOfPath(c.path, out, c.size);
        EXPECT_STREQ(c.expected, out) << c.path;
    }
}

TEST(RemoveExtension, CutsAtTheExtensionDotOnly) {
    struct Case { const wchar_t* path; const wchar_t* expected; };
    const Case cases[] = {
        {L"C:\\dir\\file.txt", L"C:\\dir\\file"}, {L"C:\\dir.d\\file", L"C:\\dir.d\\file"}, {L"a.tar.gz", L"a.tar"},
        {L"file", L"file"}, {L"", L""}, {L"x.y/z", L"x"}, {L".cfg", L""}, {L"C:.x", L"C:"}, {L"a.b:c", L"a.b:c"},
        {L"dir.\\", L"dir.\\"}, {L"f.", L"f"},
    };
    for (const Case& c : cases) {
        wchar_t out[64];
        wcscpy(out, c.path);
        RemoveExtension(out);
        EXPECT_STREQ(c.expected, out) << c.path;
    }
}

// Characters that an ANSI conversion turns into separators (the yen sign, the fullwidth
// backslash and quotation mark) are letters of the name here, and a cut never splits a pair of
// surrogates: 30 pairs cut to 59 units keep 29.
TEST(PathRoutines, TakeEveryUnitWholeAndCutBetweenCharactersOnly) {
    enum Routine { Name, Extension, Folder };
    struct Case { Routine routine; const wchar_t* path; const wchar_t* expected; };
    std::wstring pairs;
    for (int i = 0; i < 30; ++i) pairs += L"\xD83D\xDE00";
    const std::wstring first29 = pairs.substr(0, 58);
    // Lone high surrogates open no pair: each is a unit of its own.
    const std::wstring highs(60, static_cast<wchar_t>(0xD83D));
    const std::wstring first59 = highs.substr(0, 59);
    const Case cases[] = {
        {Folder, L"C:\\dir\\f.bin", L"C:\\dir"}, {Folder, L"f.bin", L"."}, {Folder, L"C:f", L"C:"},
        {Folder, L"C:\\f", L"C:\\"}, {Folder, L"\\f", L"\\"}, {Folder, L"d/sub/f", L"d/sub"},
        {Folder, L"C:\\\x8868\\a.bin", L"C:\\\x8868"}, {Folder, L"C:\\a\xA5" L"b.bin", L"C:\\"},
        {Name, L"C:\\dir\\\x8868.bin", L"\x8868.bin"}, {Name, L"a\\b\xFF3C" L"c\xA5" L"d", L"b\xFF3C" L"c\xA5" L"d"},
        {Name, L"a\\\xFF02x\xFF02", L"\xFF02x\xFF02"}, {Name, pairs.c_str(), first29.c_str()},
        {Name, highs.c_str(), first59.c_str()},
        {Name, L"a\\b\xD83D", L"b\xD83D"}, {Extension, L"a.\x8868" L"b", L"a"}, {Extension, L"a.b\xFF3C" L"c", L"a"},
    };
    for (const Case& c : cases) {
        wchar_t out[128];
        wcscpy(out, c.path);
        if (c.routine == Name) FileNameOfPath(c.path, out, 60);
        if (c.routine == Extension) RemoveExtension(out);
        if (c.routine == Folder) FolderOfPath(c.path, out);
        EXPECT_STREQ(c.expected, out) << c.routine << " " << c.path;
    }
}

TEST(SplitCommandLine, CutsInPlaceAndCountsNonEmptyArguments) {
    struct Case { const wchar_t* text; int count; const wchar_t* args[3]; };
    const Case cases[] = {
        {L"prog \"C:\\a b\\f.bin\"", 2, {L"prog", L"C:\\a b\\f.bin", L""}},
        {L"", 0, {L"", L"", L""}},
        {L"a \"\" b", 2, {L"a", L"", L"b"}},
        {L"one two three four", 3, {L"one", L"two", L"three"}},
        {L"\"open quote runs on", 1, {L"open quote runs on", L"", L""}},
        {L"\"x\"y", 2, {L"x", L"y", L""}},
        {L"a\tb c", 2, {L"a\tb", L"c", L""}},
        {L"   ", 0, {L"", L"", L""}},
        {L"\"\"", 0, {L"", L"", L""}},
        {L"  lead   gap ", 2, {L"lead", L"gap", L""}},
        // A fullwidth quotation mark or space is part of the name, not a delimiter.
        {L"\"C:\\a\xFF02" L"b\x3000" L"c.bin\" x", 2, {L"C:\\a\xFF02" L"b\x3000" L"c.bin", L"x", L""}},
    };
    for (const Case& c : cases) {
        wchar_t text[64];
        wcscpy(text, c.text);
        wchar_t* args[3];
        EXPECT_EQ(c.count, SplitCommandLine(text, args, 3)) << c.text;
        for (int i = 0; i < 3; ++i) {
            EXPECT_STREQ(c.args[i], args[i]) << c.text << " slot " << i;
        }
    }
    wchar_t text[] = L"a";
    wchar_t* args[1];
    EXPECT_EQ(0, SplitCommandLine(text, args, 0));
    EXPECT_EQ(0, SplitCommandLine(text, args, -1));
    EXPECT_STREQ(L"a", text);
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
