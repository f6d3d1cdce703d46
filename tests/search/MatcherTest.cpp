#include "search/Matcher.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "tests/support/ReferenceSearch.h"

namespace {

TEST(FoldByteTest, LowersAsciiCapitalsOnly) {
    struct Case {
        int in;
        int out;
    };
    const Case cases[] = {
        {'A', 'a'}, {'Z', 'z'}, {'a', 'a'}, {'z', 'z'}, {'@', '@'}, {'[', '['},
        {'`', '`'}, {'{', '{'}, {0xC9, 0xC9}, {0xE9, 0xE9}, {0x80, 0x80}, {0xFF, 0xFF}, {0x00, 0x00},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.out, FoldByte(static_cast<uint8_t>(c.in))) << "byte " << c.in;
    }
}

// The pattern as the caller hands it: folded when fold is set.
std::string Prepared(std::string pattern, bool fold) {
    if (fold) {
        for (char& ch : pattern) {
            ch = static_cast<char>(FoldByte(static_cast<uint8_t>(ch)));
        }
    }
    return pattern;
}

// FindPattern's answer, which the scan of every width this processor runs must give as well.
int64_t FindInRange(const std::string& document, uint32_t start, uint32_t lastStart, const std::string& working,
                    bool fold) {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(document.data());
    const uint8_t* pattern = reinterpret_cast<const uint8_t*>(working.data());
    uint32_t length = static_cast<uint32_t>(working.size());
    int64_t found = FindPattern(bytes, start, lastStart, pattern, length, fold);
    for (ScanWidth width : {ScanWidth::Bytes16, ScanWidth::Bytes32}) {
        if (CanScan(width)) {
            EXPECT_EQ(found, FindPatternWith(width, bytes, start, lastStart, pattern, length, fold))
                << "width " << static_cast<int>(width);
        }
    }
    return found;
}

int64_t Find(const std::string& document, const std::string& pattern, bool fold, uint32_t start = 0) {
    std::string working = Prepared(pattern, fold);
    return FindInRange(document, start, static_cast<uint32_t>(document.size() - working.size()), working, fold);
}

TEST(FindPatternTest, FirstMatchFromStart) {
    struct Case {
        const char* name;
        std::string document;
        std::string pattern;
        bool fold;
        uint32_t start;
        int64_t expected;
    };
    const Case cases[] = {
        {"folded capitals", "xxABCxx", "abc", true, 0, 2},
        {"folded mixed", "xxaBcxx", "abc", true, 0, 2},
        {"folded pattern capitals", "xxabcxx", "ABC", true, 0, 2},
        {"exact refuses other case", "xxABCxxaBc", "abc", false, 0, NoMatch},
        {"exact finds same case", "ABCabc", "abc", false, 0, 3},
        {"high byte never folds", "xx\xE9xx", "\xC9", true, 0, NoMatch},
        {"high byte exact", "xx\xC9xx", "\xC9", true, 0, 2},
        {"bracket is no brace", "x{x", "[", true, 0, NoMatch},
        {"brace is no bracket", "x[x", "{", true, 0, NoMatch},
        {"whole document", "abcd", "abcd", false, 0, 0},
        {"last possible offset", "xxxxab", "ab", false, 0, 4},
        {"start past the match", "abxxab", "ab", false, 1, 4},
        {"start on the match", "xxab", "ab", false, 2, 2},
        {"nul bytes compared", std::string("a\0b", 3), std::string("\0b", 2), false, 0, 1},
        {"partial match at end", "xxxxa", "ab", false, 0, NoMatch},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, Find(c.document, c.pattern, c.fold, c.start)) << c.name;
    }
}

TEST(FindPatternTest, OverlappingMatchesInTurn) {
    const std::string document = "aaaa";
    int64_t offsets[4];
    uint32_t start = 0;
    for (int64_t& offset : offsets) {
        offset = Find(document, "aa", false, start);
        start = static_cast<uint32_t>(offset + 1);
    }
    EXPECT_EQ(0, offsets[0]);
    EXPECT_EQ(1, offsets[1]);
    EXPECT_EQ(2, offsets[2]);
    EXPECT_EQ(NoMatch, offsets[3]);
}

// Documents long enough for the 32-start vector steps: a near miss of the pattern everywhere, so
// every step has to look past its first two tests, and the pattern planted once at each offset
// in turn, from every position of a 16-byte block and across block edges to the last start.
TEST(FindPatternTest, PlantedMatchFoundAtEveryOffsetOfALongDocument) {
    struct Case {
        const char* name;
        char background;
        std::string pattern;
        std::string planted;
        bool fold;
    };
    const std::string longRun(33, 'a');  // longer than the positions tested sixteen at a time
    const Case cases[] = {
        {"one byte", 'a', "b", "b", false},
        {"two bytes", 'a', "ab", "ab", false},
        {"run broken in the middle", 'a', "aaaabaaaa", "aaaabaaaa", false},
        {"run broken at the end", 'a', std::string(20, 'a') + "b", std::string(20, 'a') + "b", false},
        {"longer than the vector tests", 'a', longRun + "b" + longRun, longRun + "b" + longRun, false},
        {"folded letters", 'A', "aaaaabaaaa", "AaAaAbAaAa", true},
        {"folded run of two letters", 'b', "babbbbbbbabbb", "BAbBbBbBBABbB", true},
        {"non-letters exact under folding", '@', "@@@@`@@@@", "@@@@`@@@@", true},
    };
    for (const Case& c : cases) {
        for (size_t at = 0; at + c.pattern.size() <= 100; ++at) {
            std::string document(100, c.background);
            document.replace(at, c.planted.size(), c.planted);
            EXPECT_EQ(static_cast<int64_t>(at), Find(document, c.pattern, c.fold)) << c.name << " at " << at;
            EXPECT_EQ(NoMatch, Find(document, c.pattern, c.fold, static_cast<uint32_t>(at + 1))) << c.name << " after " << at;
            // A range that ends just before the match must not see it.
            uint32_t lastStart = static_cast<uint32_t>(at) - 1;
            EXPECT_EQ(NoMatch, at == 0 ? NoMatch : FindInRange(document, 0, lastStart, c.pattern, c.fold))
                << c.name << " range ending before " << at;
        }
    }
}

// Under folding a blank in the pattern must not take a NUL byte for itself (they differ by 0x20
// alone, as letters do), however often such near misses come.
TEST(FindPatternTest, FoldedBlankIsNoNul) {
    std::string document;
    for (int i = 0; i < 20; ++i) {
        document += std::string("qz\0qz", 5);
    }
    EXPECT_EQ(NoMatch, Find(document, "qz qz", true));
    EXPECT_EQ(100, Find(document + "QZ Qz", "qz qz", true));
}

// Overlapping matches everywhere in a long document: each search finds the next start.
TEST(FindPatternTest, EveryOverlappingMatchOfALongRun) {
    const std::string document(200, 'a');
    for (uint32_t start = 0; start + 5 <= document.size(); ++start) {
        EXPECT_EQ(start, Find(document, "aaaaa", false, start));
    }
}

// Long documents of few byte values, where nearly every block of starts needs a closer look: the
// scan works the order of its tests out from the data after some thousand such blocks and again
// later, so a match before, between and after those points, and the one after it, must be the
// reference's, exactly and under folding, with non-letters that folding tests loosely, with a
// pattern longer than the vector tests, and where the data changes halfway.
TEST(FindPatternTest, MatchesStayTheReferencesWhileTheScanLearnsTheData) {
    struct Case {
        const char* name;
        std::string bytes;       // the data's values, at random
        std::string laterBytes;  // those of its second half
        std::string pattern;     // as typed, planted in mixed case under folding
        bool fold;
    };
    const std::string brokenRun = "abaababbabbbbaabababa";
    const Case cases[] = {
        {"two letters", "ab", "ab", brokenRun, false},
        {"two letters folded", "abAB", "abAB", brokenRun, true},
        {"abab broken", "ab", "ab", "abababababbababababab", false},
        {"non-letters a case apart", "@`", "@`", "@`@@``@`@@@`", true},
        {"a run of one non-letter, the other its case apart", "`", "`", "@`", true},
        {"blank and nul", std::string(" \0a", 3), std::string(" \0a", 3), "a a  a aa a", true},
        {"longer than the vector tests", "ab", "ab", brokenRun + brokenRun, false},
        {"two letters, then text", "ab", "abcdefghij klmnopqrstuvwxyz", brokenRun, false},
    };
    const uint32_t size = 144 * 1024;
    const uint32_t plantedAt[] = {5, 20000, 140000};
    // The search after the match only needs to see where the next one is, or that none is near.
    const uint32_t afterward = 4096;
    for (const Case& c : cases) {
        std::string document(size, '\0');
        uint32_t state = 1;
        for (uint32_t i = 0; i < size; ++i) {
            state = state * 1664525u + 1013904223u;
            const std::string& bytes = i < size / 2 ? c.bytes : c.laterBytes;
            document[i] = bytes[(state >> 16) % bytes.size()];
        }
        const std::string working = Prepared(c.pattern, c.fold);
        const uint8_t* pattern = reinterpret_cast<const uint8_t*>(working.data());
        const uint32_t length = static_cast<uint32_t>(working.size());
        const uint32_t lastStart = size - length;
        for (uint32_t at : plantedAt) {
            std::string planted = document;
            for (uint32_t i = 0; i < length; ++i) {
                planted[at + i] = c.fold && i % 2 != 0 ? static_cast<char>(toupper(c.pattern[i])) : c.pattern[i];
            }
            const uint8_t* bytes = reinterpret_cast<const uint8_t*>(planted.data());
            int64_t expected = reference::Find(bytes, 0, lastStart, pattern, length, c.fold);
            ASSERT_LE(expected, at) << c.name;
            EXPECT_EQ(expected, FindInRange(planted, 0, lastStart, working, c.fold)) << c.name << " at " << at;
            uint32_t next = static_cast<uint32_t>(expected + 1);
            uint32_t last = next + afterward < lastStart ? next + afterward : lastStart;
            EXPECT_EQ(reference::Find(bytes, next, last, pattern, length, c.fold),
                      FindInRange(planted, next, last, working, c.fold))
                << c.name << " after " << expected;
        }
    }
}

TEST(FindPatternTest, EmptyOrReversedRangeFindsNothing) {
    const uint8_t document[] = {1, 2, 3};
    const uint8_t pattern[] = {1};
    EXPECT_EQ(NoMatch, FindPattern(document, 0, 2, pattern, 0, false));
    EXPECT_EQ(NoMatch, FindPattern(document, 3, 2, pattern, 1, false));
    // The range ends at the largest offset: the loop must still end.
    EXPECT_EQ(NoMatch, FindPattern(document, 0xFFFFFFFF, 0xFFFFFFFE, pattern, 1, false));
}

TEST(MatchTopRowTest, StepsInWholePagesFromTheTopRow) {
    struct Case {
        int32_t offset;
        int32_t topRow;
        int32_t pageRows;
        int32_t expected;
    };
    const Case cases[] = {
        {0, 0, 10, 0},
        {159, 0, 10, 0},
        {160, 0, 10, 0},    // first byte of the row below the page: strict comparison
        {161, 0, 10, 10},
        {320, 0, 10, 10},
        {321, 0, 10, 20},
        {800, 0, 10, 40},
        {801, 0, 10, 50},
        {16, 5, 10, 5},     // above the top row: the view stays
        {1000, 5, 10, 55},
        {0x7FFFFFF0, 0, 1, 0x7FFFFFE},
        {0x7FFFFFFF, 0, 0x7FFFFFF, 0x7FFFFFF},
        // A view less than one row tall goes to the match's row.
        {161, 0, 0, 10},
        {160, 0, 0, 10},
        {15, 0, 0, 0},
        {16, 3, 0, 3},
        {0x7FFFFFFF, 0, 0, 0x7FFFFFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, MatchTopRow(c.offset, c.topRow, c.pageRows))
            << "offset " << c.offset << " top " << c.topRow << " page " << c.pageRows;
    }
}

}  // namespace
