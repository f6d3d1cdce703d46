#include "JourneyTest.h"
#include "MenuReader.h"
#include "WindowQuery.h"
#include "tests/support/Waiting.h"
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
        EXPECT_TRUE(ShowsStatus(1, "\tEdit mode"));
        EXPECT_TRUE(ShowsStatus(0, "Double click a value to be changed"));
    }

    // Double-clicks the byte in the hex or the character area and answers its dialog.
    void EditByte(const ByteEdit& edit, bool inHexArea, const std::string& expectedField) {
        HWND dialog = DoubleClickByte(edit.offset, inHexArea);
        ASSERT_NE(nullptr, dialog) << "no dialog after the double-click";
        const std::string caption = WindowQuery::TextOf(dialog);
        EXPECT_TRUE(caption.empty() || caption.rfind("Address:  ", 0) == 0) << "caption \"" << caption << "\"";
        HWND field = GetDlgItem(dialog, FieldId);
        ASSERT_NE(nullptr, field) << WindowQuery::Describe(dialog);
        EXPECT_TRUE(Shows(expectedField, [&] { return WindowQuery::TextOf(field); })) << "the old value in the field";
        if (inHexArea) {
            EXPECT_TRUE(WaitUntil([&] { return SendMessageA(GetDlgItem(dialog, HexOptionId), BM_GETCHECK, 0, 0) == BST_CHECKED; }))
                << "the Hex option";
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
    const std::string title = "edit me.bin - Bytrane";
    ASSERT_TRUE(ShowsTitle(title));
    AllowEditing();

    EditByte(HexEdit, true, "53");
    EXPECT_TRUE(ShowsStatus(2, "\tModified"));
    EXPECT_TRUE(ShowsStatus(0, "File size: 0x40  (64)"));
    EXPECT_TRUE(ShowsRow(1, "00000010  51 52 7E 54 55 56 57 58 59 5A 41 42 43 44 45 46 QR~TUVWXYZABCDEF"));
    EXPECT_TRUE(Holds(path, original)) << "the file changed before saving";
    std::vector<MenuItemLook> file = MenuReader::Read(*app, 'f');
    ASSERT_GT(file.size(), AllowEditingItem);
    EXPECT_FALSE(file[SaveItem].grayed) << "Save with a change";
    EXPECT_TRUE(file[AllowEditingItem].checked) << "Allow Editing while editing";

    app->Command(CmdSave);
    EXPECT_TRUE(ShowsStatus(2, "")) << "the Modified marker stays";
    EXPECT_TRUE(Holds(path, Expected({HexEdit})));
    EXPECT_TRUE(ShowsTitle(title));

    EditByte(CharEdit, false, "T");
    EXPECT_TRUE(ShowsStatus(2, "\tModified"));
    if (!BytraneApp::KeyboardReachable()) {
        GTEST_SKIP() << "Alt+S " << NoInputDesktop;
    }
    app->AltKey('S');
    // Waited for on the screen: a read of the file at the moment the save opens it would make
    // the save refuse a locked file.
    EXPECT_TRUE(ShowsStatus(2, "")) << "Alt+S did not save";
    EXPECT_TRUE(Holds(path, Expected({HexEdit, CharEdit})));
    EXPECT_TRUE(ShowsTitle(title));
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
    ASSERT_TRUE(ShowsStatus(2, "\tModified"));

    app->Command(CmdExit);
    HWND box = app->WaitForWindow(MessageBoxClass, path.c_str());
    ASSERT_NE(nullptr, box) << "no \"Save file?\" box captioned with the path";
    for (const char* button : {"&Yes", "&No", "&Cancel"}) {
        EXPECT_NE(nullptr, WindowQuery::ChildByText(box, "Button", button)) << WindowQuery::Describe(box);
    }
    ASSERT_TRUE(ClickButton(box, answer.button));

    if (answer.exits) {
        ASSERT_TRUE(app->WaitForExit()) << "still running after " << answer.button;
        EXPECT_EQ(0u, app->ExitCode());
    } else {
        EXPECT_TRUE(WaitForWindowGone(box));
        EXPECT_TRUE(app->Running());
        EXPECT_TRUE(ShowsStatus(2, "\tModified"));
    }
    EXPECT_TRUE(Holds(path, answer.saves ? Expected({HexEdit}) : original));
}

INSTANTIATE_TEST_SUITE_P(Answers, ExitWithChanges,
                         ::testing::Values(ExitAnswer{"&Cancel", false, false}, ExitAnswer{"&No", true, false},
                                           ExitAnswer{"&Yes", true, true}),
                         [](const ::testing::TestParamInfo<ExitAnswer>& info) {
                             return std::string(info.param.button + 1);
                         });

}  // namespace
