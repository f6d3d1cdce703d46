// Names outside the ANSI code page, and names whose ANSI conversion is another, existing file's
// name, reach exactly their own file through the Open dialog, a drop and Save As: the right
// bytes load, the title and the close question name the file, and a save changes that file and
// nothing beside it. CTest also runs this under code pages 1252 and 932 (BYTRANE_CODE_PAGE).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "tests/support/BoxCatcher.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/DropFiles.h"
#include "tests/support/LookAlikeNames.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ProgramHarness.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/WideText.h"

namespace {

using harness::Bytes;
using harness::DocumentBytes;
using harness::ScratchFolder;

const char BoxClass[] = "CMSGCLASS";

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('\\'));
}

std::string NameOf(const std::string& path) {
    return path.substr(path.rfind('\\') + 1);
}

class UnicodeNameTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::StartProgramWindows();
        hexView.modified = 0;
        char wanted[8] = "";
        if (GetEnvironmentVariableA("BYTRANE_CODE_PAGE", wanted, sizeof wanted) != 0) {
            ASSERT_EQ(static_cast<UINT>(atoi(wanted)), GetACP()) << "the locale did not give the code page";
        }
        MakeDeepFolders(folder_.Path(""));
    }
    void TearDown() override {
        hexView.modified = 0;
        RemoveDeepFolders(folder_.Path(""));
    }

    // Writes the named file and its look-alike with different bytes; returns the named path.
    std::string Place(const LookAlikeName& n) {
        std::string path = folder_.Path(n.name);
        ScratchFolder::WriteAt(LongForm(path), Bytes(300, 21));
        if (!n.lookAlike.empty()) {
            ScratchFolder::WriteAt(LongForm(folder_.Path(n.lookAlike)), Bytes(200, 22));
        }
        return path;
    }

    // Every name in the folder of the named file.
    static std::vector<std::string> NamesBeside(const std::string& path) {
        return ScratchFolder::NamesIn(LongForm(FolderOf(path)));
    }

    // The named file holds after, the look-alike its own bytes, and the folder the names it had
    // (no copy left beside them).
    void ExpectOnlyTheNamedFileChanged(const LookAlikeName& n, const std::string& path, const std::string& after,
                                       const std::vector<std::string>& names) {
        EXPECT_EQ(after, ScratchFolder::ReadAt(LongForm(path)));
        if (!n.lookAlike.empty()) {
            EXPECT_EQ(Bytes(200, 22), ScratchFolder::ReadAt(LongForm(folder_.Path(n.lookAlike))));
        }
        EXPECT_EQ(names, NamesBeside(path));
    }

    // The caption of the close question, which is then cancelled.
    static std::string CloseQuestionCaption() {
        std::string caption;
        DialogAnswerer answerer([&caption](HWND box) {
            caption = harness::StoredText(box);
            PostMessageA(box, WM_CLOSE, 0, 0);
            return true;
        }, BoxClass);
        EXPECT_EQ(0, mainWindow.QueryClose());
        return caption;
    }

    ScratchFolder folder_;
};

// The file dialog's answer: the path typed into its name field, then OK.
DialogAnswerer::Action Choose(const std::string& path) {
    return [path](HWND dialog) {
        DialogAnswerer::SetItemText(dialog, DialogAnswerer::FileNameItem(dialog), Wide(path).c_str());
        DialogAnswerer::PostCommand(dialog, IDOK);
        return true;
    };
}

void OpenThroughTheDialog(const std::string& path) {
    DialogAnswerer answerer(Choose(path));
    hexView.OpenFile();
    EXPECT_TRUE(answerer.finished);
}

void Drop(const std::string& path) {
    SendMessageA(mainWindow.hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(harness::MakeDrop({path})), 0);
    PumpMessages();
}

TEST_F(UnicodeNameTest, EveryWayInLoadsTitlesAndSavesExactlyTheNamedFile) {
    // Wine's file dialogs copy the name typed into a buffer of MAX_PATH characters and crash on a
    // longer one, so the long path comes in by the drop here (and by the command line in the
    // journeys).
    const struct { const char* way; std::function<void(const std::string&)> open; bool longPaths; } ways[] = {
        {"Open dialog", OpenThroughTheDialog, false},
        {"drop", Drop, true},
    };
    for (const auto& way : ways) {
        for (const LookAlikeName& n : LookAlikeNames()) {
            if (n.beyondMaxPath && !way.longPaths) continue;
            SCOPED_TRACE(std::string(way.way) + ", " + n.what);
            std::string path = Place(n);
            const std::vector<std::string> names = NamesBeside(path);
            way.open(path);
            ASSERT_EQ(path, Utf8(hexView.fileName));
            EXPECT_EQ(Bytes(300, 21), DocumentBytes());
            EXPECT_EQ(NameOf(path) + " - Bytrane", harness::StoredText(mainWindow.hwnd));

            hexView.document.data[0] ^= 0xFF;
            hexView.modified = 1;
            EXPECT_EQ(path, CloseQuestionCaption());
            EXPECT_EQ(1, hexView.Save());
            ExpectOnlyTheNamedFileChanged(n, path, DocumentBytes(), names);
        }
    }
}

TEST_F(UnicodeNameTest, SaveAsCreatesExactlyTheNameTyped) {
    const std::string source = folder_.Write("source.bin", Bytes(50, 23));
    for (const LookAlikeName& n : LookAlikeNames()) {
        if (n.beyondMaxPath) continue;  // through Wine's file dialog, as above
        SCOPED_TRACE(n.what);
        std::string path = Place(n);
        const std::vector<std::string> names = NamesBeside(path);
        DeleteFileW(Wide(LongForm(path)).c_str());
        ASSERT_EQ(1, hexView.LoadFile(Wide(source).c_str()));
        {
            harness::BoxCatcher boxes;
            DialogAnswerer answerer(Choose(path));
            hexView.SaveAs();
            EXPECT_TRUE(answerer.finished);
            EXPECT_TRUE(boxes.texts.empty());
        }
        EXPECT_EQ(path, Utf8(hexView.fileName));
        EXPECT_EQ(NameOf(path) + " - Bytrane", harness::StoredText(mainWindow.hwnd));
        ExpectOnlyTheNamedFileChanged(n, path, Bytes(50, 23), names);
    }
}

}  // namespace
