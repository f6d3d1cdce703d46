// Find text, Find hex and Find next in the real main window, with their dialogs worked as a
// user works them and the "Not found" box answered.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/support/ProgramHarness.h"
#include "app/Globals.h"
#include "search/DialogIds.h"

namespace {

using harness::ScriptedUser;

const int ViewRows = 10;

std::string FoundText(int offset) {
    char text[32];
    snprintf(text, sizeof text, "Found at:  %08x", offset);
    return text;
}

// A document of dashes with the given bytes placed at offset.
std::string Dashes(size_t size, size_t offset = 0, const std::string& bytes = "") {
    std::string document(size, '-');
    document.replace(offset, bytes.size(), bytes);
    return document;
}

class SearchCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::StartProgramWindows();
        memset(hexView.pattern, 0, sizeof hexView.pattern);
        hexView.patternLength = 0;
        hexView.patternIsHex = 0;
        hexView.caseSensitive = 0;
        hexView.highlightMatch = 0;
    }

    static void Load(const std::string& document) { ASSERT_TRUE(harness::LoadDocument(document, ViewRows)); }

    // Find text with the field's selected text typed over and the case box set.
    static void FindText(ScriptedUser& user, const std::string& text, bool caseSensitive) {
        user.Then([](HWND dialog) { SendDlgItemMessageA(dialog, IDC_EDIT_FIELD, EM_SETSEL, 0, -1); })
            .Type(text.empty() ? std::string("\b") : text)
            .SetCheck(IDC_CASE_SENSITIVE, caseSensitive)
            .Click(IDOK);
        hexView.FindText();
    }

    static void FindHex(ScriptedUser& user, const std::string& text) {
        user.Then([](HWND dialog) { SetDlgItemTextA(dialog, IDC_EDIT_FIELD, ""); }).Type(text).Click(IDOK);
        hexView.FindHex();
    }

    static void ExpectFound(const ScriptedUser& user, int offset, int length) {
        EXPECT_TRUE(user.boxTexts.empty());
        EXPECT_EQ(offset + 1, hexView.nextSearchPos);
        EXPECT_EQ(1, hexView.highlightMatch);
        EXPECT_EQ(offset, hexView.matchStart);
        EXPECT_EQ(offset + length, hexView.matchEnd);
        EXPECT_EQ(FoundText(offset), harness::StatusPartText(0));
    }

    static void ExpectNotFound(const ScriptedUser& user) {
        ASSERT_EQ(1u, user.boxTexts.size());
        EXPECT_EQ("Not found", user.boxTexts[0]);
        EXPECT_EQ("Bytrane", user.boxCaptions[0]);
        EXPECT_EQ(-1, hexView.nextSearchPos);
        EXPECT_EQ(0, hexView.highlightMatch);
        EXPECT_EQ(harness::FileSizeText(), harness::StatusPartText(0));
    }
};

TEST_F(SearchCommandTest, TextSearchFoldsAsciiLettersOnly) {
    struct Case {
        const char* name;
        std::string document;
        std::string pattern;
        bool caseSensitive;
        int expected;  // -1: not found
    };
    const Case cases[] = {
        {"capitals without case", Dashes(64, 20, "ABC"), "abc", false, 20},
        {"mixed without case", Dashes(64, 21, "aBc"), "abc", false, 21},
        {"capital pattern without case", Dashes(64, 22, "abc"), "ABC", false, 22},
        {"capitals with case", Dashes(64, 20, "ABC"), "abc", true, -1},
        {"same case with case", Dashes(64, 10, "aBc") + "abc", "abc", true, 64},
        {"0xC9 never finds 0xE9", Dashes(64, 5, "\xE9"), "\xC9", false, -1},
        {"0xC9 never finds 0xE9 with case", Dashes(64, 5, "\xE9"), "\xC9", true, -1},
        {"0xC9 finds itself", Dashes(64, 5, "\xC9"), "\xC9", false, 5},
        {"[ never finds {", Dashes(64, 7, "{"), "[", false, -1},
        {"{ never finds [", Dashes(64, 7, "["), "{", false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.document);
        ScriptedUser user;
        FindText(user, c.pattern, c.caseSensitive);
        EXPECT_EQ(0, user.leftOpen);
        EXPECT_EQ(c.caseSensitive ? 1 : 0, hexView.caseSensitive);
        EXPECT_STREQ(c.pattern.c_str(), hexView.pattern);
        if (c.expected >= 0) {
            ExpectFound(user, c.expected, static_cast<int>(c.pattern.size()));
        } else {
            ExpectNotFound(user);
        }
    }
}

TEST_F(SearchCommandTest, HexPatternIsComparedExactly) {
    Load(Dashes(64, 8, "AB") + "ab");
    hexView.caseSensitive = 0;
    ScriptedUser user;
    FindHex(user, "6162");
    ExpectFound(user, 64, 2);
    EXPECT_EQ(1, hexView.patternIsHex);
    EXPECT_EQ(0, hexView.caseSensitive);
    EXPECT_EQ(2u, hexView.patternLength);
}

TEST_F(SearchCommandTest, PatternAsLongAsTheDocumentOnlyIsSearched) {
    Load("abcdef");
    {
        ScriptedUser user;
        FindText(user, "ABCDEF", false);
        ExpectFound(user, 0, 6);
    }
    // One byte longer: no search, no box, and Find next has nothing left to go on with.
    std::string status = harness::StatusPartText(0);
    ScriptedUser user;
    FindText(user, "abcdefg", false);
    EXPECT_TRUE(user.boxTexts.empty());
    EXPECT_EQ(7u, hexView.patternLength);
    EXPECT_EQ(-1, hexView.nextSearchPos);
    EXPECT_EQ(1, hexView.highlightMatch);
    EXPECT_EQ(status, harness::StatusPartText(0));
    ScriptedUser next;
    hexView.FindNext();
    EXPECT_TRUE(next.boxTexts.empty());
}

TEST_F(SearchCommandTest, ConfirmedPatternThatStartsNoSearchStopsFindNext) {
    struct Case {
        const char* name;
        bool hex;
        std::string text;
    };
    const Case cases[] = {
        {"empty text", false, ""},
        {"empty hex", true, ""},
        {"hex of blanks only", true, "  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(Dashes(64, 30, "xy"));
        {
            ScriptedUser user;
            FindText(user, "xy", false);
            ASSERT_EQ(31, hexView.nextSearchPos);
        }
        ScriptedUser user;
        if (c.hex) {
            FindHex(user, c.text);
        } else {
            FindText(user, c.text, false);
        }
        EXPECT_EQ(0u, hexView.patternLength);
        EXPECT_EQ(-1, hexView.nextSearchPos);
        hexView.FindNext();
        EXPECT_TRUE(user.boxTexts.empty());
        EXPECT_EQ(FoundText(30), harness::StatusPartText(0));
    }
}

TEST_F(SearchCommandTest, LastPossibleOffsetThenNotFound) {
    Load(Dashes(40, 37, "end"));
    {
        ScriptedUser user;
        FindText(user, "end", true);
        ExpectFound(user, 37, 3);
        EXPECT_EQ(37u, hexView.lastSearchStart);
    }
    ScriptedUser user;
    hexView.FindNext();
    ExpectNotFound(user);
    // Find next stays off until a search succeeds again.
    ScriptedUser again;
    hexView.FindNext();
    EXPECT_TRUE(again.boxTexts.empty());
}

TEST_F(SearchCommandTest, OverlappingMatchesFoundInTurn) {
    Load("aaaa");
    {
        ScriptedUser user;
        FindText(user, "aa", false);
        ExpectFound(user, 0, 2);
    }
    for (int offset = 1; offset <= 2; ++offset) {
        ScriptedUser user;
        hexView.FindNext();
        ExpectFound(user, offset, 2);
    }
    ScriptedUser user;
    hexView.FindNext();
    ExpectNotFound(user);
}

TEST_F(SearchCommandTest, StatusShowsEightLowerCaseDigits) {
    Load(Dashes(64, 0x1A, "\xAB"));
    ScriptedUser user;
    FindHex(user, "ab");
    EXPECT_EQ("Found at:  0000001a", harness::StatusPartText(0));
}

TEST_F(SearchCommandTest, ViewMovesInWholePagesFromTheTop) {
    struct Case {
        int offset;
        int topRow;
    };
    const Case cases[] = {{0, 0}, {159, 0}, {160, 0}, {161, 10}, {800, 40}, {1999, 120}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        Load(Dashes(2000, static_cast<size_t>(c.offset), "\x01"));
        hexView.Scroll(SB_BOTTOM, 1);
        ScriptedUser user;
        FindHex(user, "01");
        ExpectFound(user, c.offset, 1);
        EXPECT_EQ(c.topRow, hexView.topRow);
    }
}

TEST_F(SearchCommandTest, FindNextStartsFromTheRowInView) {
    // 4096 bytes: rows 0..256. Matches at 0x20, 0x500 (row 80) and 0x900 (row 144).
    std::string document = Dashes(4096, 0x20, "Zq");
    document.replace(0x500, 2, "Zq");
    document.replace(0x900, 2, "Zq");
    Load(document);
    {
        ScriptedUser user;
        FindText(user, "zq", false);
        ExpectFound(user, 0x20, 2);
    }
    struct Case {
        int scrolledTo;
        int match;
        int topRow;
    };
    // 0x500 = 1280 lies 560 bytes below the page from row 35: four pages on, row 75. 0x900 lies
    // above row 256: the view stays.
    const Case cases[] = {{35, 0x500, 75}, {256, 0x900, 256}};
    for (const Case& c : cases) {
        hexView.Scroll(SB_TOP, 1);
        for (int i = 0; i < c.scrolledTo; ++i) {
            hexView.Scroll(SB_LINEDOWN, 1);
        }
        ASSERT_EQ(c.scrolledTo, hexView.topRow);
        ScriptedUser user;
        hexView.FindNext();
        ExpectFound(user, c.match, 2);
        EXPECT_EQ(c.topRow, hexView.topRow);
    }
}

TEST_F(SearchCommandTest, FailedSearchLeavesTheViewAtTheTop) {
    Load(Dashes(2000));
    hexView.Scroll(SB_BOTTOM, 1);
    ScriptedUser user;
    FindText(user, "nothing", false);
    ExpectNotFound(user);
    EXPECT_EQ(0, hexView.topRow);
}

TEST_F(SearchCommandTest, DialogsShowTheStoredPattern) {
    Load(Dashes(64));
    {
        ScriptedUser user;
        FindText(user, "AbC", true);
    }
    {
        ScriptedUser user;
        bool checked = false;
        user.Look().Then([&checked](HWND dialog) {
            checked = IsDlgButtonChecked(dialog, IDC_CASE_SENSITIVE) == BST_CHECKED;
        }).Click(IDCANCEL);
        hexView.FindText();
        ASSERT_EQ(1u, user.fieldTexts.size());
        EXPECT_EQ("AbC", user.fieldTexts[0]);
        EXPECT_EQ("FindText", user.captions[0]);
        EXPECT_TRUE(checked);
        // A text pattern shows nothing in the hex dialog.
        ScriptedUser hexUser;
        hexUser.Look().Click(IDCANCEL);
        hexView.FindHex();
        ASSERT_EQ(1u, hexUser.fieldTexts.size());
        EXPECT_EQ("", hexUser.fieldTexts[0]);
        EXPECT_EQ("Find hex", hexUser.captions[0]);
    }
    // Cancel changed nothing.
    EXPECT_STREQ("AbC", hexView.pattern);
    EXPECT_EQ(0, hexView.patternIsHex);
    EXPECT_EQ(1, hexView.caseSensitive);
    {
        // Pasted: pasting goes around the keystroke filter.
        ScriptedUser user;
        user.Then([](HWND dialog) { SetDlgItemTextA(dialog, IDC_EDIT_FIELD, "1 2 3 4 5 6 7 8 9"); }).Click(IDOK);
        hexView.FindHex();
        EXPECT_EQ(9u, hexView.patternLength);
        EXPECT_EQ(0, memcmp(hexView.pattern, "\x01\x02\x03\x04\x05\x06\x07\x08\x09", 9));
    }
    ScriptedUser user;
    user.Look().Click(IDCANCEL);
    hexView.FindHex();
    ASSERT_EQ(1u, user.fieldTexts.size());
    EXPECT_EQ("01 02 03 04 05 06 07", user.fieldTexts[0]);
    EXPECT_EQ(9u, hexView.patternLength);
    ScriptedUser textUser;
    textUser.Look().Click(IDCANCEL);
    hexView.FindText();
    EXPECT_EQ("", textUser.fieldTexts.at(0));
}

TEST_F(SearchCommandTest, FindTextFieldTakes21Characters) {
    Load(Dashes(64));
    ScriptedUser user;
    user.Then([](HWND dialog) { SetDlgItemTextA(dialog, IDC_EDIT_FIELD, ""); })
        .Type("abcdefghijklmnopqrstuv")
        .Look()
        .Click(IDOK);
    hexView.FindText();
    EXPECT_EQ("abcdefghijklmnopqrstu", user.fieldTexts.at(0));
    EXPECT_EQ(21u, hexView.patternLength);
}

TEST_F(SearchCommandTest, SearchWithoutBytesFindsNothing) {
    Load(Dashes(64, 3, "q"));
    hexView.patternLength = 1;
    hexView.pattern[0] = 'q';
    ScriptedUser user;
    EXPECT_EQ(-1, hexView.Search(nullptr, 0, 63));
    ExpectNotFound(user);
    // Stored positions beyond the document are never compared.
    ScriptedUser late;
    EXPECT_EQ(-1, hexView.Search(hexView.document.data, 0, 64));
    EXPECT_EQ(1u, late.boxTexts.size());
}

}  // namespace
