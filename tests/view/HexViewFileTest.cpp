// Loading into the view and saving from it, on real files: failures leave the view safe and
// the file on disk untouched.
#include "view/HexView.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "framework/PathBuffer.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/ProgramHarness.h"
#include "app/Globals.h"
#include "view/LoadSeam.h"
#include "view/SaveSeam.h"
#include "tests/support/WideText.h"

namespace {

const char NoFileText[] = "No file loaded";
const char WriteErrorText[] = "An error occurred, file not saved.";

using harness::Bytes;
using harness::DocumentBytes;
using harness::FailingWrite;

// What Wine does on a full disk: success reported for part of the bytes.
BOOL WINAPI ShortWrite(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
    return WriteFile(file, buffer, count / 2, written, overlapped);
}

// What Windows may do to one large transfer, on a network share above all.
BOOL WINAPI RefuseLargeReads(HANDLE file, LPVOID buffer, DWORD count, LPDWORD read, LPOVERLAPPED overlapped) {
    return count <= LargestTransfer ? ReadFile(file, buffer, count, read, overlapped)
                                    : (SetLastError(ERROR_NO_SYSTEM_RESOURCES), FALSE);
}
BOOL WINAPI RefuseLargeWrites(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
    return count <= LargestTransfer ? WriteFile(file, buffer, count, written, overlapped)
                                    : (SetLastError(ERROR_NO_SYSTEM_RESOURCES), FALSE);
}

class HexViewFileTest : public ::testing::Test {
protected:
    void SetUp() override { harness::StartProgramWindows(); }
    void TearDown() override {
        saveWriteFile = WriteFile;
        loadReadFile = ReadFile;
    }

    // Loads a document and marks it changed, as an edit would.
    std::string LoadChanged(const std::string& name, const std::string& original) {
        std::string path = folder_.Write(name, original);
        EXPECT_EQ(1, hexView.LoadFile(Wide(path).c_str()));
        if (hexView.fileSize > 0) {
            hexView.document.data[0] ^= 0xFF;
        }
        hexView.modified = 1;
        statusBar.SetPartText(2, "\tModified");
        return path;
    }

    harness::ScratchFolder folder_;
};

TEST_F(HexViewFileTest, LoadShowsTheFileFromTheTop) {
    struct Case { int size; int rowCount; const char* status; };
    const Case cases[] = {
        {0, 1, "File size: 0x0  (0)"},
        {16, 2, "File size: 0x10  (16)"},
        {4100, 257, "File size: 0x1004  (4,100)"},
    };
    for (const Case& c : cases) {
        std::string path = folder_.Write("load.bin", Bytes(c.size, 1));
        hexView.editAllowed = 1;
        hexView.modified = 1;
        hexView.topRow = 0;
        hexView.Scroll(SB_BOTTOM, 1);
        ASSERT_EQ(1, hexView.LoadFile(Wide(path).c_str())) << c.size;
        EXPECT_EQ(path, Utf8(hexView.fileName));
        EXPECT_EQ(c.size, hexView.fileSize);
        EXPECT_EQ(c.rowCount, hexView.rowCount);
        EXPECT_EQ(0, hexView.topRow);
        EXPECT_EQ(0, hexView.editAllowed);
        EXPECT_EQ(0, hexView.modified);
        EXPECT_EQ(-1, hexView.nextSearchPos);
        EXPECT_EQ(Bytes(c.size, 1), DocumentBytes());
        EXPECT_EQ(c.status, harness::StatusPartText(0));
        EXPECT_EQ("load.bin - Bytrane", harness::WindowText(mainWindow.hwnd));
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_POS;
        GetScrollInfo(hexView.hwnd, SB_VERT, &info);
        EXPECT_EQ(0, info.nMin);
        EXPECT_EQ(c.rowCount - 1 > 1 ? c.rowCount - 1 : 1, info.nMax);
        EXPECT_EQ(0, info.nPos);
    }
}

TEST_F(HexViewFileTest, FailedLoads) {
    std::string previous = folder_.Write("previous.bin", Bytes(100, 2));
    // Longer than any path the system takes; a shorter one is kept as the name, like any other.
    std::string tooLong = folder_.Path(std::string(LongestPath, 'x'));

    struct Case {
        const char* name;
        std::string path;
        const char* box;           // null: no box
        bool previousNameKept;
        bool emptied;              // the previous block is gone: the view shows 0 bytes
        GlobalAllocFunction allocate;
    };
    const Case cases[] = {
        {"missing", folder_.Path("missing.bin"), nullptr, false, false, GlobalAlloc},
        {"too large", folder_.WriteSized("two gib.bin", 0, static_cast<LONG>(0x80000000u)),
         "File too large to open (2 GiB or more).", false, false, GlobalAlloc},
        {"no memory", folder_.Write("wanted.bin", Bytes(40, 1)), nullptr, false, true, harness::NoFreeBlock},
        {"path too long", tooLong, nullptr, true, false, GlobalAlloc},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(c.path.empty()) << c.name;
        ASSERT_EQ(1, hexView.LoadFile(Wide(previous).c_str()));
        hexView.Scroll(SB_BOTTOM, 1);
        int rowsBefore = hexView.rowCount;
        int topBefore = hexView.topRow;
        hexView.editAllowed = 1;
        hexView.modified = 1;
        hexView.nextSearchPos = 5;
        statusBar.SetPartText(1, "\tEdit mode");

        int result;
        harness::BoxCatcher boxes;
        loadGlobalAlloc = c.allocate;
        result = hexView.LoadFile(Wide(c.path).c_str());
        loadGlobalAlloc = GlobalAlloc;

        EXPECT_EQ(0, result) << c.name;
        if (c.box == nullptr) {
            EXPECT_TRUE(boxes.texts.empty()) << c.name;
        } else {
            ASSERT_EQ(1u, boxes.texts.size()) << c.name;
            EXPECT_EQ(c.box, boxes.texts[0]) << c.name;
            EXPECT_EQ("Bytrane", boxes.captions[0]) << c.name;
        }
        EXPECT_EQ(c.previousNameKept ? previous : c.path, Utf8(hexView.fileName)) << c.name;
        EXPECT_EQ(NoFileText, harness::StatusPartText(0)) << c.name;
        EXPECT_EQ("", harness::StatusPartText(1)) << c.name;
        EXPECT_EQ(0, hexView.fileSize) << c.name;
        EXPECT_EQ(0, hexView.editAllowed) << c.name;
        EXPECT_EQ(0, hexView.modified) << c.name;
        EXPECT_EQ(-1, hexView.nextSearchPos) << c.name;
        EXPECT_EQ("previous.bin - Bytrane", harness::WindowText(mainWindow.hwnd)) << c.name;
        if (c.emptied) {
            EXPECT_EQ(nullptr, hexView.document.data) << c.name;
            EXPECT_EQ(1, hexView.rowCount) << c.name;
            EXPECT_EQ(0, hexView.topRow) << c.name;
            // Nothing may read the released block: painting, scrolling, hit-testing.
            hexView.Paint();
            hexView.Scroll(SB_BOTTOM, 1);
            SendMessageA(hexView.hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
            EXPECT_EQ(0, hexView.topRow) << c.name;
            EXPECT_EQ(DumpArea::None, hexView.HitTest(MAKELPARAM(HexAreaColumn * hexView.charWidth, 0)).area);
            SCROLLINFO info = {};
            info.cbSize = sizeof info;
            info.fMask = SIF_RANGE | SIF_POS;
            GetScrollInfo(hexView.hwnd, SB_VERT, &info);
            EXPECT_EQ(1, info.nMax) << c.name;
            EXPECT_EQ(0, info.nPos) << c.name;
        } else {
            EXPECT_EQ(rowsBefore, hexView.rowCount) << c.name;
            EXPECT_EQ(topBefore, hexView.topRow) << c.name;
        }
    }
}

TEST_F(HexViewFileTest, FailedLoadWithNoDocumentLeavesTheViewAlone) {
    hexView.document.Release();
    hexView.rowCount = 0;
    SCROLLINFO before = {sizeof before, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 70, 2, 3, 0};
    SetScrollInfo(hexView.hwnd, SB_VERT, &before, FALSE);
    harness::BoxCatcher boxes;
    EXPECT_EQ(0, hexView.LoadFile(Wide(folder_.Path("missing.bin")).c_str()));
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(0, hexView.rowCount);
    SCROLLINFO after = {sizeof after, SIF_RANGE | SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(hexView.hwnd, SB_VERT, &after);
    EXPECT_EQ(70, after.nMax);
    EXPECT_EQ(3, after.nPos);
    EXPECT_EQ(NoFileText, harness::StatusPartText(0));
}

TEST_F(HexViewFileTest, SaveWritesTheDocumentByteForByte) {
    for (int size : {0, 1, 16, 4097}) {
        std::string path = LoadChanged("saved.bin", Bytes(size, 3));
        std::string expected = DocumentBytes();
        harness::BoxCatcher boxes;
        EXPECT_EQ(1, hexView.Save()) << size;
        EXPECT_EQ(expected, folder_.Read("saved.bin")) << size;
        EXPECT_EQ(0, hexView.modified) << size;
        EXPECT_EQ("", harness::StatusPartText(2)) << size;
        EXPECT_EQ(1u, folder_.FileNames().size()) << "no temporary file is left";
        EXPECT_TRUE(boxes.texts.empty());
    }
}

TEST_F(HexViewFileTest, SaveThatCannotReplaceTheTargetChangesNothing) {
    const std::string original = Bytes(50, 4);
    struct Case { const char* name; bool readOnly; bool held; };
    const Case cases[] = {
        {"read-only", true, false},
        {"held open without sharing", false, true},
    };
    for (const Case& c : cases) {
        std::string path = LoadChanged("target.bin", original);
        if (c.readOnly) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        HANDLE holder = c.held ? CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                               : INVALID_HANDLE_VALUE;
        harness::BoxCatcher boxes;
        EXPECT_EQ(0, hexView.Save()) << c.name;
        if (holder != INVALID_HANDLE_VALUE) {
            CloseHandle(holder);
        }
        EXPECT_TRUE(boxes.texts.empty()) << c.name;
        EXPECT_EQ(original, folder_.Read("target.bin")) << c.name;
        EXPECT_EQ(1, hexView.modified) << c.name;
        EXPECT_EQ("\tModified", harness::StatusPartText(2)) << c.name;
        EXPECT_EQ(1u, folder_.FileNames().size()) << c.name << ": no temporary file is left";
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(HexViewFileTest, FailedWriteKeepsTheOriginal) {
    const std::string original = Bytes(5000, 5);
    // A write that keeps coming up short fails the in-place overwrite too: the save is refused,
    // but the file may then hold part of the new bytes.
    struct Case { const char* name; WriteFileFunction write; bool originalKept; };
    const Case cases[] = {
        {"write fails", FailingWrite, true},
        {"short write reported as success", ShortWrite, false},
    };
    for (const Case& c : cases) {
        LoadChanged("kept.bin", original);
        saveWriteFile = c.write;
        harness::BoxCatcher boxes;
        EXPECT_EQ(0, hexView.Save()) << c.name;
        saveWriteFile = WriteFile;
        ASSERT_EQ(1u, boxes.texts.size()) << c.name;
        EXPECT_EQ(WriteErrorText, boxes.texts[0]) << c.name;
        EXPECT_EQ("Bytrane", boxes.captions[0]) << c.name;
        if (c.originalKept) {
            EXPECT_EQ(original, folder_.Read("kept.bin")) << c.name;
        }
        EXPECT_EQ(1, hexView.modified) << c.name;
        EXPECT_EQ(1u, folder_.FileNames().size()) << c.name << ": no temporary file is left";
    }
}

// Each mebibyte differs from the last, so a piece read or written to the wrong place shows.
TEST_F(HexViewFileTest, ALargeFileLoadsAndSavesWholeInPieces) {
    const DWORD size = 200u << 20;
    std::string bytes(size, '\0');
    for (DWORD i = 0; i < size; ++i) bytes[i] = static_cast<char>(i ^ (i >> 20));
    loadReadFile = RefuseLargeReads;
    ASSERT_EQ(1, hexView.LoadFile(Wide(folder_.Write("large.bin", bytes)).c_str()));
    ASSERT_EQ(static_cast<int>(size), hexView.fileSize);
    ASSERT_EQ(0, memcmp(bytes.data(), hexView.document.data, size));
    hexView.document.data[size - 1] ^= 0xFF;
    saveWriteFile = RefuseLargeWrites;
    EXPECT_EQ(1, hexView.Save());
    bytes = folder_.Read("large.bin");
    EXPECT_TRUE(bytes.size() == size && memcmp(bytes.data(), hexView.document.data, size) == 0);
    EXPECT_EQ(1u, folder_.FileNames().size());
}

TEST_F(HexViewFileTest, WriteToPlacesThatCannotTakeAFile) {
    LoadChanged("doc.bin", Bytes(10, 6));
    const std::string paths[] = {
        folder_.Path("no such folder\\x.bin"),
        "",
        folder_.Path(std::string(270, 'y')),
    };
    for (const std::string& path : paths) {
        harness::BoxCatcher boxes;
        EXPECT_EQ(0, hexView.WriteToFile(Wide(path).c_str())) << path;
        EXPECT_TRUE(boxes.texts.empty()) << path;
    }
    EXPECT_EQ(1u, folder_.FileNames().size());
}

TEST_F(HexViewFileTest, SaveAsAdoptsTheNewName) {
    std::string oldPath = LoadChanged("old.bin", Bytes(40, 7));
    std::string expected = DocumentBytes();
    std::string newPath = folder_.Path("new.bin");
    {
        DialogAnswerer answer([&newPath](HWND dialog) {
            DialogAnswerer::SetItemText(dialog, DialogAnswerer::FileNameItem(dialog), newPath.c_str());
            DialogAnswerer::PostCommand(dialog, IDOK);
            return true;
        });
        hexView.SaveAs();
        EXPECT_TRUE(answer.finished);
        EXPECT_FALSE(answer.timedOut);
    }
    EXPECT_EQ(expected, folder_.Read("new.bin"));
    EXPECT_EQ(Bytes(40, 7), folder_.Read("old.bin"));
    EXPECT_EQ(newPath, Utf8(hexView.fileName));
    EXPECT_EQ("new.bin - Bytrane", harness::WindowText(mainWindow.hwnd));
    EXPECT_EQ(0, hexView.modified);
    EXPECT_EQ("", harness::StatusPartText(2));

    // A cancelled dialog changes nothing.
    hexView.modified = 1;
    {
        DialogAnswerer cancel([](HWND dialog) {
            DialogAnswerer::PostCommand(dialog, IDCANCEL);
            return true;
        });
        hexView.SaveAs();
        EXPECT_TRUE(cancel.finished);
    }
    EXPECT_EQ(newPath, Utf8(hexView.fileName));
    EXPECT_EQ(1, hexView.modified);
    EXPECT_EQ(2u, folder_.FileNames().size());
}

}  // namespace
