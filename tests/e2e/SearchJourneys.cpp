#include "JourneyTest.h"
#include "MenuReader.h"
#include "ScreenImage.h"
#include "WindowQuery.h"
#include "tests/support/DumpLayout.h"
#include "tests/support/Waiting.h"
#include "tests/support/WindowClasses.h"

namespace {

const size_t DocumentSize = 2048;
const char FindTextCaption[] = "FindText";
const char FindHexCaption[] = "Find hex";
const COLORREF HighlightColour = RGB(255, 255, 0);

struct Placed {
    size_t offset;
    const char* bytes;
};

const Placed Needles[] = {
    {0x123, "NEEDLE"},
    {0x456, "needle"},
    {0x789, "Needle"},
    {0x060, "\r\n"},
    {0x700, "\r\n"},
};

std::string Haystack() {
    std::string bytes(DocumentSize, '-');
    for (const Placed& needle : Needles) {
        bytes.replace(needle.offset, strlen(needle.bytes), needle.bytes);
    }
    return bytes;
}

std::string FoundAt(size_t offset) {
    char text[32];
    snprintf(text, sizeof text, "Found at:  %08x", static_cast<unsigned>(offset));
    return text;
}

class SearchJourney : public JourneyTest {
protected:
    void SetUp() override {
        path = folder.Write("hay stack.bin", Haystack());
        Start(Quoted(path));
        ASSERT_TRUE(app->Started());
    }

    HWND OpenDialog(WORD command, const char* caption) {
        app->Command(command);
        return app->WaitForWindow(DialogClass, caption);
    }

    // Opens a find dialog and types into its field.
    void OpenAndType(WORD command, const char* caption, const char* typed) {
        dialog = OpenDialog(command, caption);
        ASSERT_NE(nullptr, dialog) << "no " << caption << " dialog";
        field = GetDlgItem(dialog, FieldId);
        ASSERT_NE(nullptr, field) << WindowQuery::Describe(dialog);
        Type(field, typed);
    }

    void ExpectFound(size_t offset, size_t length) {
        EXPECT_TRUE(ShowsStatus(0, FoundAt(offset)));
        ExpectHighlight(offset, length, true);
    }

    // Every highlighted byte has a yellow hex pair and character; the cells just outside do not.
    void ExpectHighlight(size_t offset, size_t length, bool shown) {
        // The status text changes before the view repaints, so wait for the screen to follow.
        WaitUntil([&] {
            const int row = static_cast<int>(offset / BytesPerRow) - TopRow();
            const int cell = HexColumn + 3 * static_cast<int>(offset % BytesPerRow);
            return row >= 0 && row <= PageRows() &&
                   (reader.CellBackground(ScreenImage::OfClientArea(app->View()), cell, row) == HighlightColour) == shown;
        });
        const int top = TopRow();
        const int row = static_cast<int>(offset / BytesPerRow) - top;
        const int first = static_cast<int>(offset % BytesPerRow);
        ASSERT_GE(row, 0) << "the match row is above the view (top row " << top << ")";
        ASSERT_LE(row, PageRows()) << "the match row is below the view (top row " << top << ")";
        const ScreenImage view = ScreenImage::OfClientArea(app->View());
        for (int i = first; i < first + static_cast<int>(length); ++i) {
            EXPECT_EQ(shown, reader.CellBackground(view, HexColumn + 3 * i, row) == HighlightColour)
                << "hex pair of byte " << i << " of the row";
            EXPECT_EQ(shown, reader.CellBackground(view, CharColumn + i, row) == HighlightColour)
                << "character of byte " << i << " of the row";
        }
        const int after = first + static_cast<int>(length);
        EXPECT_NE(HighlightColour, reader.CellBackground(view, HexColumn + 3 * first - 1, row))
            << "the blank before the match";
        EXPECT_NE(HighlightColour, reader.CellBackground(view, HexColumn + 3 * after - 1, row))
            << "the blank after the match";
    }

    // Find next past the last match: the "Not found" box, then the file-size text again.
    void ExpectNotFoundAfterFindNext() {
        app->Command(CmdFindNext);
        HWND box = app->WaitForWindow(MessageBoxClass, "Bytrane");
        ASSERT_NE(nullptr, box) << "no \"Not found\" box";
        EXPECT_NE(nullptr, WindowQuery::ChildByText(box, "Button", "&Ok")) << WindowQuery::Describe(box);
        EXPECT_TRUE(ShowsStatus(0, "File size: 0x800  (2,048)"));
        ASSERT_TRUE(ClickButton(box, "&Ok"));
        EXPECT_TRUE(WaitForWindowGone(box));
        app->Settle();
    }

    std::string path;
    HWND dialog = nullptr;
    HWND field = nullptr;
};

TEST_F(SearchJourney, TextWithoutCaseFindsEveryCaseThenCaseSensitiveOnlyTheExactOne) {
    ASSERT_NO_FATAL_FAILURE(OpenAndType(CmdFindText, FindTextCaption, "needle"));
    EXPECT_TRUE(Shows("needle", [&] { return WindowQuery::TextOf(field); }));
    EXPECT_TRUE(ClickOk(dialog)) << "the dialog stays open after OK";
    ExpectFound(0x123, 6);

    app->Command(CmdFindNext);
    ExpectFound(0x456, 6);
    app->Command(CmdFindNext);
    ExpectFound(0x789, 6);
    ExpectNotFoundAfterFindNext();
    std::vector<MenuItemLook> search = MenuReader::Read(*app, 's');
    ASSERT_GT(search.size(), static_cast<size_t>(FindNextItem));
    EXPECT_TRUE(search[FindNextItem].grayed) << "Find next after \"Not found\"";

    dialog = OpenDialog(CmdFindText, FindTextCaption);
    ASSERT_NE(nullptr, dialog);
    field = GetDlgItem(dialog, FieldId);
    EXPECT_TRUE(Shows("needle", [&] { return WindowQuery::TextOf(field); })) << "the dialog forgot the last text";
    HWND caseBox = GetDlgItem(dialog, CaseSensitiveId);
    EXPECT_TRUE(WaitUntil([&] { return SendMessageA(caseBox, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));
    PostMessageA(caseBox, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return SendMessageA(caseBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    EXPECT_TRUE(ClickOk(dialog)) << "the dialog stays open after OK";
    ExpectFound(0x456, 6);
    ExpectNotFoundAfterFindNext();

    dialog = OpenDialog(CmdFindText, FindTextCaption);
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(WaitUntil([&] { return SendMessageA(GetDlgItem(dialog, CaseSensitiveId), BM_GETCHECK, 0, 0) == BST_CHECKED; }))
        << "the dialog forgot the case option";
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitForWindowGone(dialog));
}

TEST_F(SearchJourney, HexTypedWithoutBlanksGetsThemAndFindsEachLineBreak) {
    ASSERT_NO_FATAL_FAILURE(OpenAndType(CmdFindHex, FindHexCaption, "0d0a"));
    EXPECT_TRUE(Shows("0D 0A ", [&] { return WindowQuery::TextOf(field); }));
    EXPECT_TRUE(ClickOk(dialog)) << "the dialog stays open after OK";
    ExpectFound(0x060, 2);
    app->Command(CmdFindNext);
    ExpectFound(0x700, 2);
    ExpectNotFoundAfterFindNext();
    ExpectHighlight(0x700, 2, false);
}

}  // namespace
