#include "JourneyTest.h"
#include "MenuReader.h"
#include "Polling.h"
#include "WindowQuery.h"
#include "tests/support/WindowClasses.h"

namespace {

const size_t DocumentSize = 64;

struct ByteEdit {
    int offset;
    const char* typed;
    char stored;
};

const ByteEdit HexEdit = {0x12, "7e", 0x7E};
const ByteEdit CharEdit = {0x13, "z", 'z'};

class EditJourney : public JourneyTest {
protected:
    void Open(const char* name) {
        original = Pattern(DocumentSize);
        path = folder.Write(name, original);
        Start(Quoted(path));
        ASSERT_TRUE(app->Started());
    }

    void AllowEditing() {
        app->Command(CmdAllowEditing);
        EXPECT_TRUE(WaitUntil([&] { return app->StatusPart(1) == "\tEdit mode"; }));
        EXPECT_EQ("Double click a value to be changed", app->StatusPart(0));
    }

    // Double-clicks the byte in the hex or the character area and answers its dialog.
    void EditByte(const ByteEdit& edit, bool inHexArea, const std::string& expectedField) {
        HWND dialog = DoubleClickByte(edit.offset, inHexArea);
        ASSERT_NE(nullptr, dialog) << "no dialog after the double-click";
        const std::string caption = WindowQuery::TextOf(dialog);
        EXPECT_TRUE(caption.empty() || caption.rfind("Address:  ", 0) == 0) << "caption \"" << caption << "\"";
        HWND field = GetDlgItem(dialog, FieldId);
        ASSERT_NE(nullptr, field) << WindowQuery::Describe(dialog);
        EXPECT_EQ(expectedField, WindowQuery::TextOf(field)) << "the old value in the field";
        if (inHexArea) {
            EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(dialog, HexOptionId), BM_GETCHECK, 0, 0));
        }
        Type(field, edit.typed);
        app->Settle();
        ASSERT_TRUE(ClickOk(dialog)) << "OK left the dialog open: " << WindowQuery::Describe(dialog);
    }

    std::string Expected(std::initializer_list<ByteEdit> edits) const {
        std::string bytes = original;
        for (const ByteEdit& edit : edits) {
            bytes[edit.offset] = edit.stored;
        }
        return bytes;
    }

    std::string path;
    std::string original;
};

TEST_F(EditJourney, DoubleClickedBytesChangeInMemoryUntilSaveWritesThem) {
    Open("edit me.bin");
    const std::string title = app->Title();
    AllowEditing();

    EditByte(HexEdit, true, "53");
    EXPECT_TRUE(WaitUntil([&] { return app->StatusPart(2) == "\tModified"; }));
    EXPECT_EQ("File size: 0x40  (64)", app->StatusPart(0));
    EXPECT_EQ("00000010  51 52 7E 54 55 56 57 58 59 5A 41 42 43 44 45 46 QR~TUVWXYZABCDEF", RowText(1));
    EXPECT_EQ(original, TempFolder::Read(path)) << "the file changed before saving";
    std::vector<MenuItemLook> file = MenuReader::Read(*app, 'f');
    ASSERT_GT(file.size(), AllowEditingItem);
    EXPECT_FALSE(file[SaveItem].grayed) << "Save with a change";
    EXPECT_TRUE(file[AllowEditingItem].checked) << "Allow Editing while editing";

    app->Command(CmdSave);
    EXPECT_TRUE(WaitUntil([&] { return app->StatusPart(2).empty(); })) << "the Modified marker stays";
    EXPECT_EQ(Expected({HexEdit}), TempFolder::Read(path));
    EXPECT_EQ(title, app->Title());

    EditByte(CharEdit, false, "T");
    EXPECT_TRUE(WaitUntil([&] { return app->StatusPart(2) == "\tModified"; }));
    app->AltKey('S');
    // Waited for on the screen: a read of the file at the moment the save opens it would make
    // the save refuse a locked file.
    EXPECT_TRUE(WaitUntil([&] { return app->StatusPart(2).empty(); })) << "Alt+S did not save";
    EXPECT_EQ(Expected({HexEdit, CharEdit}), TempFolder::Read(path));
    EXPECT_EQ(title, app->Title());
}

struct ExitAnswer {
    const char* button;
    bool exits;
    bool saves;
};

class ExitWithChanges : public EditJourney, public ::testing::WithParamInterface<ExitAnswer> {};

TEST_P(ExitWithChanges, AsksToSaveAndFollowsTheAnswer) {
    const ExitAnswer answer = GetParam();
    Open("exit with changes.bin");
    AllowEditing();
    EditByte(HexEdit, true, "53");
    ASSERT_TRUE(WaitUntil([&] { return app->StatusPart(2) == "\tModified"; }));

    app->Command(CmdExit);
    HWND box = app->WaitForWindow(MessageBoxClass, path.c_str(), DefaultWaitMs);
    ASSERT_NE(nullptr, box) << "no \"Save file?\" box captioned with the path";
    for (const char* button : {"&Yes", "&No", "&Cancel"}) {
        EXPECT_NE(nullptr, WindowQuery::ChildByText(box, "Button", button)) << WindowQuery::Describe(box);
    }
    ASSERT_TRUE(ClickButton(box, answer.button));

    if (answer.exits) {
        ASSERT_TRUE(app->WaitForExit(LongWaitMs)) << "still running after " << answer.button;
        EXPECT_EQ(0u, app->ExitCode());
    } else {
        EXPECT_TRUE(WaitForWindowGone(box));
        app->Settle();
        EXPECT_TRUE(app->Running());
        EXPECT_EQ("\tModified", app->StatusPart(2));
    }
    EXPECT_EQ(answer.saves ? Expected({HexEdit}) : original, TempFolder::Read(path));
}

INSTANTIATE_TEST_SUITE_P(Answers, ExitWithChanges,
                         ::testing::Values(ExitAnswer{"&Cancel", false, false}, ExitAnswer{"&No", true, false},
                                           ExitAnswer{"&Yes", true, true}),
                         [](const ::testing::TestParamInfo<ExitAnswer>& info) {
                             return std::string(info.param.button + 1);
                         });

}  // namespace
