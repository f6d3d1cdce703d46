// The Find hex field's keystroke filter, typed into as a user types.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/support/ProgramHarness.h"
#include "app/Globals.h"
#include "search/DialogIds.h"

namespace {

using harness::ScriptedUser;

class HexBytesEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::StartProgramWindows();
        ASSERT_TRUE(harness::LoadDocument(std::string(32, 'h')));
        hexView.patternIsHex = 0;
    }
};

TEST_F(HexBytesEditTest, BlankFollowsEveryTypedPair) {
    struct Case {
        const char* typed;
        const char* expected;
        int count;
    };
    const Case cases[] = {
        {"0d0a", "0D 0A ", 6},
        {"0D0A0D", "0D 0A 0D ", 9},
        {"x", "", 0},
        {"0x", "0", 1},
        {"0-g", "0", 1},
        {"F", "F", 1},
        {" 1", " 1 ", 3},
        {"\x16", "", 0},  // Ctrl+V arrives as a character too
        {"0D\b", "0D", 2},
        {"0D\b0", "0D0", 3},
        {"0D\b01", "0D01", 4},
        {"\b\b1", "1", 1},
        {"ab\b\b\b\bcd", "CD ", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ScriptedUser user;
        int count = -1;
        user.Type(c.typed).Look().Then([&count](HWND) { count = hexBytesEdit.typedCount; }).Click(IDCANCEL);
        hexView.FindHex();
        EXPECT_EQ(c.expected, user.fieldTexts.at(0));
        EXPECT_EQ(c.count, count);
    }
}

TEST_F(HexBytesEditTest, CountStartsAgainWhenTheDialogOpens) {
    {
        ScriptedUser user;
        user.Type("0").Click(IDCANCEL);
        hexView.FindHex();
    }
    ScriptedUser user;
    user.Type("1").Look().Click(IDCANCEL);
    hexView.FindHex();
    // A count carried over would have put a blank after the single digit.
    EXPECT_EQ("1", user.fieldTexts.at(0));
}

}  // namespace
