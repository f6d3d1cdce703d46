// Double-click editing in the real main window: the hit areas, the value and character
// dialogs as a user works them, and what a change does to the document and the status bar.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/support/ProgramHarness.h"
#include "app/Globals.h"
#include "search/DialogIds.h"
#include "tests/support/DumpLayout.h"
#include "tests/support/MessagePump.h"

namespace {

using harness::ScriptedUser;

const int PairWidth = 3;
const char Hint[] = "hint";

class ByteEditTest : public ::testing::Test {
protected:
    void SetUp() override { harness::StartProgramWindows(); }

    // 64 bytes 0x00..0x3F with the given byte at offset.
    static void Load(int offset = 0, BYTE value = 0) {
        std::string document(64, '\0');
        for (int i = 0; i < 64; ++i) {
            document[i] = static_cast<char>(i);
        }
        document[offset] = static_cast<char>(value);
        ASSERT_TRUE(harness::LoadDocument(document));
        hexView.editAllowed = 1;
    }

    static void DoubleClick(int column, int row) {
        LPARAM position = MAKELPARAM(column * hexView.charWidth + hexView.charWidth / 2,
                                     row * hexView.lineHeight + hexView.lineHeight / 2);
        SendMessageA(hexView.hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, position);
        PumpMessages();
    }

    static void EditHex(int offset) { DoubleClick(HexColumn + PairWidth * (offset % 16), offset / 16 - hexView.topRow); }
    static void EditChar(int offset) { DoubleClick(CharColumn + offset % 16, offset / 16 - hexView.topRow); }
    static BYTE ByteAt(int offset) { return hexView.document.data[offset]; }

    // Clears the value field and, for decimal, picks the Decimal option first.
    static void StartValue(ScriptedUser& user, bool hex) {
        if (!hex) {
            user.Click(IDC_DECIMAL_OPTION);
        }
        user.Then([](HWND dialog) { SetDlgItemTextA(dialog, IDC_EDIT_FIELD, ""); });
    }
};

TEST_F(ByteEditTest, ValueDialogOpensOnTheByteInHex) {
    Load(0x1F, 0x0A);
    ScriptedUser user;
    DWORD selStart = 1;
    DWORD selEnd = 0;
    bool hexChecked = false;
    bool decimalChecked = true;
    user.Look()
        .Then([&](HWND dialog) {
            SendDlgItemMessageA(dialog, IDC_EDIT_FIELD, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                                reinterpret_cast<LPARAM>(&selEnd));
            hexChecked = IsDlgButtonChecked(dialog, IDC_HEX_OPTION) == BST_CHECKED;
            decimalChecked = IsDlgButtonChecked(dialog, IDC_DECIMAL_OPTION) == BST_CHECKED;
        })
        .Click(IDCANCEL);
    statusBar.SetPartText(0, Hint);
    EditHex(0x1F);
    ASSERT_EQ(1, user.dialogsSeen);
    // The program sets "0a"; the upper-case field shows it as the user sees it.
    EXPECT_EQ("0A", user.fieldTexts.at(0));
    EXPECT_EQ("Address:  0000001f", user.captions.at(0));
    EXPECT_EQ(0u, selStart);
    EXPECT_EQ(2u, selEnd);
    EXPECT_TRUE(hexChecked);
    EXPECT_FALSE(decimalChecked);
    // Cancel changes nothing, yet the hint gives way to the file size.
    EXPECT_EQ(0x0A, ByteAt(0x1F));
    EXPECT_EQ(0, hexView.modified);
    EXPECT_EQ(harness::FileSizeText(), harness::StatusPartText(0));
}

TEST_F(ByteEditTest, ValueFieldTakesOnlyTheDigitsOfItsBase) {
    struct Case {
        bool hex;
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {true, "G", ""},     {true, "-", ""},   {true, "a", "A"},       {true, "19fF", "19FF"},
        {true, "\x03", ""},  {true, "x1", "1"}, {true, "12\b3", "13"},  {false, "A", ""},
        {false, "a", ""},    {false, "-", ""},  {false, "255", "255"},  {false, "9f9", "99"},
    };
    Load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ScriptedUser user;
        StartValue(user, c.hex);
        user.Type(c.typed).Look().Click(IDCANCEL);
        EditHex(3);
        EXPECT_EQ(c.expected, user.fieldTexts.at(0));
    }
}

TEST_F(ByteEditTest, SwitchingBaseConvertsTheField) {
    struct Case {
        bool startHex;
        const char* text;
        int option;
        const char* expected;
    };
    const Case cases[] = {
        {true, "FF", IDC_DECIMAL_OPTION, "255"},
        {false, "255", IDC_HEX_OPTION, "FF"},
        {false, "10", IDC_HEX_OPTION, "0A"},
        {false, "0", IDC_HEX_OPTION, "00"},
        {true, "100", IDC_DECIMAL_OPTION, ""},      // does not fit a byte
        {false, "300", IDC_HEX_OPTION, "0"},
        {false, "4294967296", IDC_HEX_OPTION, "0"},  // wraps to 0 at 32 bits
        {true, "1000000FF", IDC_DECIMAL_OPTION, ""},
        {true, "00FF", IDC_HEX_OPTION, "00FF"},     // already hex: left alone
        {false, "0255", IDC_DECIMAL_OPTION, "0255"},
    };
    Load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ScriptedUser user;
        StartValue(user, c.startHex);
        user.Type(c.text).Click(c.option).Look().Click(IDCANCEL);
        EditHex(3);
        EXPECT_EQ(c.expected, user.fieldTexts.at(0));
    }
}

TEST_F(ByteEditTest, SwitchingThereAndBack) {
    Load(7, 0xFF);
    ScriptedUser user;
    user.Click(IDC_DECIMAL_OPTION).Look().Click(IDC_HEX_OPTION).Look().Click(IDC_HEX_OPTION).Look().Click(IDCANCEL);
    EditHex(7);
    ASSERT_EQ(3u, user.fieldTexts.size());
    EXPECT_EQ("255", user.fieldTexts[0]);
    EXPECT_EQ("FF", user.fieldTexts[1]);
    EXPECT_EQ("FF", user.fieldTexts[2]);
}

TEST_F(ByteEditTest, OkTakesOnlyByteValues) {
    struct Case {
        bool hex;
        const char* text;
        bool closes;
        int stored;
    };
    const Case cases[] = {
        {true, "100", false, 0},
        {true, "1000000FF", false, 0},
        {true, "FFFFFFFF", false, 0},
        {false, "256", false, 0},
        {false, "4294967296", false, 0},
        {false, "4294967551", false, 0},
        {false, "255", true, 255},
        {true, "FF", true, 255},
        {true, "", true, 0},
        {false, "", true, 0},
        {true, "000000000000001F", true, 0x1F},
    };
    Load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        hexView.document.data[9] = 0x55;
        ScriptedUser user;
        StartValue(user, c.hex);
        bool open = false;
        user.Type(c.text).Click(IDOK).Then([&open](HWND) { open = true; }).Click(IDCANCEL);
        EditHex(9);
        EXPECT_EQ(0, user.leftOpen);
        EXPECT_EQ(!c.closes, open);
        EXPECT_EQ(c.closes ? c.stored : 0x55, ByteAt(9));
    }
}

TEST_F(ByteEditTest, ChangedByteMarksTheDocumentModified) {
    Load(5, 0x41);
    ASSERT_EQ(0, hexView.modified);
    {
        ScriptedUser user;
        StartValue(user, true);
        user.Type("42").Click(IDOK);
        statusBar.SetPartText(0, Hint);
        EditHex(5);
    }
    EXPECT_EQ(0x42, ByteAt(5));
    EXPECT_EQ(1, hexView.modified);
    EXPECT_EQ("\tModified", harness::StatusPartText(2));
    EXPECT_EQ(harness::FileSizeText(), harness::StatusPartText(0));
    // Later changes leave part 2 alone.
    statusBar.SetPartText(2, Hint);
    {
        ScriptedUser user;
        StartValue(user, false);
        user.Type("200").Click(IDOK);
        EditHex(6);
    }
    EXPECT_EQ(200, ByteAt(6));
    EXPECT_EQ(Hint, harness::StatusPartText(2));
}

TEST_F(ByteEditTest, ConfirmingTheSameValueChangesNothing) {
    Load(5, 0x41);
    {
        ScriptedUser user;
        user.Click(IDOK);
        EditHex(5);
    }
    {
        ScriptedUser user;
        user.Click(IDOK);
        EditChar(5);
    }
    EXPECT_EQ(0x41, ByteAt(5));
    EXPECT_EQ(0, hexView.modified);
    EXPECT_EQ("", harness::StatusPartText(2));
}

TEST_F(ByteEditTest, CharacterDialog) {
    struct Case {
        const char* typed;  // null: cancel
        BYTE stored;
    };
    const Case cases[] = {{"", 0x00}, {"xyz", 'x'}, {"B", 'B'}, {nullptr, 0x41}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed != nullptr ? c.typed : "(cancel)");
        Load(0x23, 0x41);
        ScriptedUser user;
        user.Look();
        if (c.typed != nullptr) {
            user.Then([](HWND dialog) { SetDlgItemTextA(dialog, IDC_EDIT_FIELD, ""); }).Type(c.typed).Click(IDOK);
        } else {
            user.Click(IDCANCEL);
        }
        statusBar.SetPartText(0, Hint);
        EditChar(0x23);
        ASSERT_EQ(1, user.dialogsSeen);
        EXPECT_EQ("A", user.fieldTexts.at(0));
        EXPECT_EQ("Address:  00000023", user.captions.at(0));
        EXPECT_EQ(c.stored, ByteAt(0x23));
        EXPECT_EQ(c.stored != 0x41 ? 1 : 0, hexView.modified);
        // The character path leaves part 0 as it was.
        EXPECT_EQ(Hint, harness::StatusPartText(0));
    }
}

TEST_F(ByteEditTest, ZeroByteShowsAnEmptyCharacterField) {
    Load(2, 0x00);
    ScriptedUser user;
    user.Look().Click(IDCANCEL);
    EditChar(2);
    EXPECT_EQ("", user.fieldTexts.at(0));
}

TEST_F(ByteEditTest, DoubleClickPicksTheByteUnderTheMouse) {
    struct Case {
        int column;
        int row;
        int address;  // -1: no byte, no dialog
    };
    const Case cases[] = {
        {HexColumn, 0, 0},       {HexColumn + 1, 0, 0},  {HexColumn + 2, 0, 1}, {56, 0, 15},
        {CharColumn, 0, 0},      {73, 0, 15},            {HexColumn, 2, 32},    {CharColumn + 3, 3, 51},
        {9, 0, -1},              {57, 0, -1},            {74, 0, -1},           {0, 1, -1},
        {HexColumn, 4, -1},      // the empty last row of a 64-byte document
    };
    Load();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "column " << c.column << " row " << c.row);
        ScriptedUser user;
        user.Look().Click(IDCANCEL);
        DoubleClick(c.column, c.row);
        if (c.address < 0) {
            EXPECT_EQ(0, user.dialogsSeen);
            continue;
        }
        ASSERT_EQ(1, user.dialogsSeen);
        char caption[32];
        wsprintfA(caption, "Address:  %08x", c.address);
        EXPECT_EQ(caption, user.captions.at(0));
    }
}

TEST_F(ByteEditTest, DoubleClickCountsFromTheTopRow) {
    std::string document(0x400, 'q');
    ASSERT_TRUE(harness::LoadDocument(document));
    hexView.editAllowed = 1;
    hexView.Scroll(SB_PAGEDOWN, 1);
    ScriptedUser user;
    user.Look().Click(IDCANCEL);
    DoubleClick(CharColumn + 1, 2);
    EXPECT_EQ("Address:  000000c1", user.captions.at(0));
}

TEST_F(ByteEditTest, NoDialogWhereThereIsNoByteToEdit) {
    std::string twenty(20, 'z');
    ASSERT_TRUE(harness::LoadDocument(twenty));
    struct Case {
        const char* name;
        int editAllowed;
        int column;
        int row;
        int dialogs;
    };
    const Case cases[] = {
        {"editing off", 0, HexColumn, 0, 0},
        {"editing off, characters", 0, CharColumn, 0, 0},
        {"last byte", 1, HexColumn + PairWidth * 3, 1, 1},
        {"past the short last row", 1, HexColumn + PairWidth * 4, 1, 0},
        {"past the short last row, characters", 1, CharColumn + 4, 1, 0},
        {"below the last row", 1, HexColumn, 5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        hexView.editAllowed = c.editAllowed;
        ScriptedUser user;
        user.Click(IDCANCEL);
        DoubleClick(c.column, c.row);
        EXPECT_EQ(c.dialogs, user.dialogsSeen);
    }
}

}  // namespace
