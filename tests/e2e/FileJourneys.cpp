#include "JourneyTest.h"
#include "tests/support/LookAlikeNames.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/Waiting.h"
#include "tests/support/WindowClasses.h"

namespace {

const char EditedByte = 0x7E;
const char* const EditedPair = "7e";

class FileJourney : public JourneyTest {
protected:
    // Allows editing and changes the first byte through the value dialog.
    void EditFirstByte() {
        app->Command(CmdAllowEditing);
        ASSERT_TRUE(ShowsStatus(1, "\tEdit mode"));
        HWND dialog = DoubleClickByte(0, true);
        ASSERT_NE(nullptr, dialog) << "no dialog after the double-click";
        Type(GetDlgItem(dialog, FieldId), EditedPair);
        app->Settle();
        ASSERT_TRUE(ClickOk(dialog));
        ASSERT_TRUE(ShowsStatus(2, "\tModified"));
    }
};

TEST_F(FileJourney, SaveAsWritesTheChangedCopyAndAdoptsTheNewName) {
    const std::string original = Pattern(300);
    const std::string oldPath = folder.Write("old name.bin", original);
    const std::string newPath = folder.Path() + "\\new name.bin";
    Start(Quoted(oldPath));
    ASSERT_TRUE(app->Started());
    EditFirstByte();

    app->Command(CmdSaveAs);
    ASSERT_TRUE(AnswerFileDialog(newPath)) << "the Save As dialog did not take the path";
    EXPECT_TRUE(ShowsTitle("new name.bin - Bytrane"));
    EXPECT_TRUE(ShowsStatus(2, ""));
    std::string expected = original;
    expected[0] = EditedByte;
    EXPECT_TRUE(Holds(newPath, expected));
    EXPECT_TRUE(Holds(oldPath, original)) << "Save As touched the old file";
}

TEST_F(FileJourney, DropOpensTheFirstFileAndAsksBeforeReplacingAModifiedDocument) {
    const std::string shown = folder.Write("shown.bin", Pattern(40));
    const std::string first = folder.Write("first drop.bin", std::string(20, 'x'));
    const std::string second = folder.Write("second drop.bin", std::string(30, 'y'));
    Start(Quoted(shown));
    ASSERT_TRUE(app->Started());

    ASSERT_TRUE(app->Drop({first, second}));
    EXPECT_TRUE(ShowsStatus(0, "File size: 0x14  (20)"));
    EXPECT_TRUE(ShowsTitle("first drop.bin - Bytrane"));
    EXPECT_TRUE(ShowsRow(0, "00000000  78 78 78 78 78 78 78 78 78 78 78 78 78 78 78 78 xxxxxxxxxxxxxxxx"));
    EXPECT_FALSE(app->HasWindow(MessageBoxClass)) << "a drop on an unchanged document asked a question";

    EditFirstByte();
    struct Answer {
        const char* button;
        const char* title;
        const char* modifiedMarker;
    };
    const Answer answers[] = {
        {"&Cancel", "first drop.bin - Bytrane", "\tModified"},
        {"&No", "second drop.bin - Bytrane", ""},
    };
    for (const Answer& answer : answers) {
        ASSERT_TRUE(app->Drop({second}));
        HWND box = app->WaitForWindow(MessageBoxClass, first.c_str());
        ASSERT_NE(nullptr, box) << "no \"Save file?\" box captioned with the path before " << answer.button;
        ASSERT_TRUE(ClickButton(box, answer.button));
        EXPECT_TRUE(WaitForWindowGone(box));
        EXPECT_TRUE(ShowsTitle(answer.title)) << "after " << answer.button;
        EXPECT_TRUE(ShowsStatus(2, answer.modifiedMarker)) << "after " << answer.button;
    }
    EXPECT_TRUE(Holds(first, std::string(20, 'x'))) << "the replaced document was saved";
}

// The program killed at many instants of a large save: every time, the file's name holds either
// the content it had or the document being saved, never nothing and never a mixture.
TEST_F(FileJourney, ASaveKilledAtAnyInstantLeavesTheFileWhole) {
    const size_t size = 64 * 1024 * 1024;
    const std::string document = Pattern(size);
    std::string onDisk = document;
    onDisk[0] = EditedByte;
    const std::string path = folder.Write("large.bin", document);
    // Half the instants spread over the whole save, half packed around its end, where the copy
    // takes the file's place.
    const int instants = 40;
    const int spread = instants / 2;
    DWORD saveMs = 0;
    std::string found;
    for (int instant = -1; instant < instants; ++instant) {
        Start(Quoted(path));
        ASSERT_TRUE(app->Started());
        ASSERT_TRUE(ShowsStatus(0, "File size: 0x4000000  (67,108,864)"));
        folder.Write("large.bin", onDisk);
        const ULONGLONG written = TempFolder::WriteTime(path);
        const DWORD start = GetTickCount();
        app->Command(CmdSave);
        if (instant < 0) {
            // A save left to finish tells how long one takes. It has finished once its copy has
            // the file's name, which then shows the copy's write time; the file is read only
            // then, since a reader holding it would make the save refuse a locked file.
            ASSERT_TRUE(WaitUntil([&] {
                app->Settle();
                return TempFolder::WriteTime(path) != written;
            })) << "the save left to finish did not end";
            saveMs = GetTickCount() - start;
            TempFolder::ReadInto(path, found);
            ASSERT_TRUE(found == document) << "the save left to finish did not write the document";
        } else {
            const DWORD killMs = instant < spread ? saveMs * instant / spread
                                                  : saveMs * 3 / 4 + saveMs * (instant - spread) * 2 / (5 * spread);
            Sleep(killMs);
            TerminateProcess(app->Process(), 1);
            WaitForSingleObject(app->Process(), INFINITE);
            TempFolder::ReadInto(path, found);
            ASSERT_TRUE(found == document || found == onDisk)
                << "killed after " << killMs << " of " << saveMs << " ms: "
                << (TempFolder::Exists(path) ? "the file holds a mixture" : "no file under the name");
        }
        app.reset();
        folder.Write("large.bin", document);
    }
}

// A name on the command line opens exactly its file, whatever an ANSI conversion would have made
// of it (another file beside it, a split at a quotation mark, question marks), and a save changes
// that file alone. CTest also runs this under code pages 1252 and 932.
class NameJourney : public FileJourney {
protected:
    void SetUp() override { MakeDeepFolders(folder.Path()); }
    void TearDown() override {
        FileJourney::TearDown();
        RemoveDeepFolders(folder.Path());
    }
};

TEST_F(NameJourney, ACommandLineNameOpensAndSavesExactlyItsFile) {
    using harness::ScratchFolder;
    const std::string original = Pattern(64);
    const std::string other(32, 'z');
    for (const LookAlikeName& n : LookAlikeNames()) {
        SCOPED_TRACE(n.what);
        const std::string path = folder.Path() + "\\" + n.name;
        const std::string lookAlike = folder.Path() + "\\" + n.lookAlike;
        const std::string beside = path.substr(0, path.rfind('\\'));
        ScratchFolder::WriteAt(LongForm(path), original);
        if (!n.lookAlike.empty()) {
            ScratchFolder::WriteAt(LongForm(lookAlike), other);
        }
        const std::vector<std::string> names = ScratchFolder::NamesIn(LongForm(beside));
        Start(Quoted(path));
        ASSERT_TRUE(app->Started());
        EXPECT_TRUE(ShowsTitle(path.substr(beside.size() + 1) + " - Bytrane"));
        EXPECT_TRUE(ShowsStatus(0, "File size: 0x40  (64)"));
        EditFirstByte();
        app->Command(CmdSave);
        EXPECT_TRUE(ShowsStatus(2, "")) << "the save did not finish";
        std::string expected = original;
        expected[0] = EditedByte;
        EXPECT_TRUE(Shows(expected, [&] { return ScratchFolder::ReadAt(LongForm(path)); }));
        if (!n.lookAlike.empty()) {
            EXPECT_EQ(other, ScratchFolder::ReadAt(LongForm(lookAlike)));
        }
        EXPECT_EQ(names, ScratchFolder::NamesIn(LongForm(beside))) << "a copy was left beside the file";
    }
}

}  // namespace
