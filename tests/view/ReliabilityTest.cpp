// Saving and loading when the world changes under the program: folders and files that vanish,
// files that change size on disk, volumes that fill up, and names that are not files at all.
// Whatever happens, the disk holds either the untouched original or the complete new content,
// and no temporary file stays behind.
#include "view/HexView.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/ProgramHarness.h"
#include "app/Globals.h"
#include "search/DialogIds.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/MessagePump.h"
#include "tests/support/UnixSide.h"
#include "tests/support/WideText.h"
#include "view/SaveSeam.h"

namespace {

const char WriteErrorText[] = "An error occurred, file not saved.";
const char ModifiedText[] = "\tModified";
const int CharColumn = 58;
const int ByteValueCount = 256;
const DWORD DescriptorRoom = 8192;

using harness::Bytes;
using harness::DocumentBytes;
using harness::FailingWrite;

bool Exists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A full volume under Wine: success reported with only part of the bytes on disk.
BOOL WINAPI ShortWrite(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
    return WriteFile(file, buffer, count - 1, written, overlapped);
}

int callsSeen = 0;

// Room for the file once but not for a second copy: only the first write comes up short.
BOOL WINAPI ShortFirstWrite(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
    return WriteFile(file, buffer, callsSeen++ == 0 ? count - 1 : count, written, overlapped);
}

// The file's owner, group and rights as the system describes them.
std::string RightsOf(const std::string& path) {
    alignas(sizeof(void*)) BYTE sd[DescriptorRoom];
    DWORD needed = 0;
    return GetFileSecurityW(Wide(path).c_str(), OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION |
                            DACL_SECURITY_INFORMATION, sd, DescriptorRoom, &needed)
               ? std::string(reinterpret_cast<const char*>(sd), GetSecurityDescriptorLength(sd)) : std::string();
}

// Gives the file's owner alone any rights to it; under Wine its mode then shows none for others.
bool RestrictToOwner(const std::string& path) {
    std::string current = RightsOf(path);
    struct { ACL header; BYTE entries[DescriptorRoom]; } dacl;
    SECURITY_DESCRIPTOR restricted;
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    return !current.empty() && GetSecurityDescriptorOwner(&current[0], &owner, &defaulted) &&
           InitializeAcl(&dacl.header, sizeof dacl, ACL_REVISION) &&
           AddAccessAllowedAce(&dacl.header, ACL_REVISION, FILE_ALL_ACCESS, owner) &&
           InitializeSecurityDescriptor(&restricted, SECURITY_DESCRIPTOR_REVISION) &&
           SetSecurityDescriptorDacl(&restricted, TRUE, &dacl.header, FALSE) &&
           SetFileSecurityW(Wide(path).c_str(), DACL_SECURITY_INFORMATION, &restricted);
}

// 0 for a name that holds no file.
DWORDLONG FileIndexOf(const std::string& path) {
    HANDLE file =
        CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION information = {};
    GetFileInformationByHandle(file, &information);
    CloseHandle(file);
    return (static_cast<DWORDLONG>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
}

// A share or protected folder where the user may change the file but not add one.
UINT WINAPI NoNewFiles(LPCWSTR, LPCWSTR, UINT, LPWSTR) {
    SetLastError(ERROR_ACCESS_DENIED);
    return 0;
}

BOOL WINAPI FailingFlush(HANDLE) {
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
}

BOOL WINAPI FailingMove(LPCWSTR, LPCWSTR, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

// Another program takes the target away just as the copy is to replace it.
BOOL WINAPI TargetVanishesDuringMove(LPCWSTR from, LPCWSTR to, DWORD flags) {
    if (callsSeen++ == 0) {
        DeleteFileW(to);
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    return MoveFileExW(from, to, flags);
}

DWORD heldError = 0;

// A virus scanner holds the fresh copy open through the first two attempts to rename it.
BOOL WINAPI MoveAfterTwoRefusals(LPCWSTR from, LPCWSTR to, DWORD flags) {
    if (callsSeen++ < 2) {
        SetLastError(heldError);
        return FALSE;
    }
    return MoveFileExW(from, to, flags);
}

class ReliabilityTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::StartProgramWindows();
        callsSeen = 0;
    }
    void TearDown() override {
        saveWriteFile = WriteFile;
        saveTempFileName = GetTempFileNameW;
        saveFlushFileBuffers = FlushFileBuffers;
        saveMoveFile = MoveFileExW;
    }

    // Loads the file and changes its first byte, as an edit would; returns the document.
    static std::string LoadChanged(const std::string& path) {
        EXPECT_EQ(1, hexView.LoadFile(Wide(path).c_str())) << path;
        if (hexView.fileSize > 0) {
            hexView.document.data[0] ^= 0xFF;
        }
        hexView.modified = 1;
        statusBar.SetPartText(StatusPartModified, ModifiedText);
        return DocumentBytes();
    }

    harness::ScratchFolder folder_;
};

TEST_F(ReliabilityTest, SaveAsIntoARemovedFolderFailsQuietlyAndCreatesNothing) {
    std::string path = folder_.Write("doc.bin", Bytes(300, 1));
    LoadChanged(path);
    std::string gone = folder_.Path("gone");
    ASSERT_TRUE(CreateDirectoryA(gone.c_str(), nullptr));
    ASSERT_TRUE(RemoveDirectoryA(gone.c_str()));

    std::string target = gone + "\\copy.bin";
    harness::BoxCatcher boxes;
    EXPECT_EQ(0, hexView.WriteToFile(Wide(target).c_str()));
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_FALSE(Exists(gone));
    EXPECT_FALSE(Exists(target));
    EXPECT_EQ(std::vector<std::string>{"doc.bin"}, folder_.FileNames());
    EXPECT_EQ(Bytes(300, 1), folder_.Read("doc.bin"));
    EXPECT_EQ(1, hexView.modified);
    EXPECT_TRUE(IsWindow(mainWindow.hwnd));
    EXPECT_TRUE(IsWindow(hexView.hwnd));
}

TEST_F(ReliabilityTest, SaveWhenTheFileAndItsFolderAreGoneKeepsTheChanges) {
    std::string sub = folder_.Path("sub");
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    std::string path = sub + "\\doc.bin";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    std::string document = LoadChanged(path);
    ASSERT_TRUE(DeleteFileA(path.c_str()));
    ASSERT_TRUE(RemoveDirectoryA(sub.c_str()));

    EXPECT_EQ(0, hexView.Save());
    EXPECT_FALSE(Exists(sub));
    EXPECT_EQ(1, hexView.modified);
    EXPECT_EQ(ModifiedText, harness::StatusPartText(StatusPartModified));
    EXPECT_EQ(document, DocumentBytes());
    EXPECT_TRUE(folder_.FileNames().empty());
}

TEST_F(ReliabilityTest, SaveWritesExactlyTheDocumentWhateverHappenedToTheFileOnDisk) {
    const int loadedSize = 5000;
    struct Case { const char* name; bool deleted; int sizeOnDisk; };
    const Case cases[] = {
        {"deleted", true, 0},
        {"shrunk", false, 100},
        {"emptied", false, 0},
        {"grown", false, 12000},
    };
    for (const Case& c : cases) {
        std::string path = folder_.Write("doc.bin", Bytes(loadedSize, 2));
        std::string document = LoadChanged(path);
        if (c.deleted) {
            ASSERT_TRUE(DeleteFileA(path.c_str())) << c.name;
        } else {
            folder_.Write("doc.bin", Bytes(c.sizeOnDisk, 3));
        }

        harness::BoxCatcher boxes;
        EXPECT_EQ(1, hexView.Save()) << c.name;
        EXPECT_TRUE(boxes.texts.empty()) << c.name;
        EXPECT_EQ(document, folder_.Read("doc.bin")) << c.name;
        EXPECT_EQ(std::vector<std::string>{"doc.bin"}, folder_.FileNames()) << c.name;
        EXPECT_EQ(0, hexView.modified) << c.name;
        EXPECT_EQ("", harness::StatusPartText(StatusPartModified)) << c.name;
    }
}

TEST_F(ReliabilityTest, AFullVolumeNeverLeavesAPartialFile) {
    const std::string original = Bytes(3000, 4);
    struct Case { const char* name; WriteFileFunction write; bool newName; bool saved; };
    const Case cases[] = {
        {"write fails, existing file", FailingWrite, false, false},
        {"no room for a second copy, existing file", ShortFirstWrite, false, true},
        {"write fails, new name", FailingWrite, true, false},
        {"short write reported as success, new name", ShortWrite, true, false},
    };
    for (const Case& c : cases) {
        std::string path = folder_.Write("kept.bin", original);
        std::string document = LoadChanged(path);
        std::string target = c.newName ? folder_.Path("new.bin") : path;
        saveWriteFile = c.write;
        callsSeen = 0;
        int result;
        {
            harness::BoxCatcher boxes;
            result = hexView.WriteToFile(Wide(target).c_str());
            ASSERT_EQ(c.saved ? 0u : 1u, boxes.texts.size()) << c.name;
            if (!c.saved) {
                EXPECT_EQ(WriteErrorText, boxes.texts[0]) << c.name;
            }
        }
        saveWriteFile = WriteFile;
        EXPECT_EQ(c.saved ? 1 : 0, result) << c.name;
        EXPECT_EQ(c.saved ? document : original, folder_.Read("kept.bin")) << c.name;
        EXPECT_EQ(std::vector<std::string>{"kept.bin"}, folder_.FileNames()) << c.name;
        EXPECT_EQ(1, hexView.modified) << c.name;

        // Once there is room again the same document saves completely.
        EXPECT_EQ(1, hexView.WriteToFile(Wide(target).c_str())) << c.name;
        EXPECT_EQ(document, folder_.Read(c.newName ? "new.bin" : "kept.bin")) << c.name;
        EXPECT_EQ(c.newName ? 2u : 1u, folder_.FileNames().size()) << c.name;
        DeleteFileA(folder_.Path("new.bin").c_str());
    }
}

// Where no copy can be made beside the file, the file is overwritten where it stands, and it
// ends up exactly the document whether it had grown or shrunk on disk meanwhile. A folder too
// deep for GetTempFileNameW still takes a copy, named by the program.
TEST_F(ReliabilityTest, SaveWritesInPlaceOnlyWhereNoCopyCanBeMade) {
    const int documentSize = 4000;
    // The longest folder a file of a short name can be created in, too long for GetTempFileNameW.
    std::string deep = folder_.Path("");
    deep += std::string(MAX_PATH - 12 - deep.size(), 'd');
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep.size();
    struct Case { const char* name; std::string folder; bool seam; int sizeOnDisk; bool throughCopy; };
    const Case cases[] = {
        {"folder name too long for a temporary file", deep, false, documentSize, true},
        {"no new file allowed", folder_.Path(""), true, documentSize, false},
        {"no new file allowed, file shrunk on disk", folder_.Path(""), true, 10, false},
        {"no new file allowed, file grown on disk", folder_.Path(""), true, 9000, false},
    };
    for (const Case& c : cases) {
        std::string path = c.folder + "\\doc.bin";
        ASSERT_LT(path.size(), static_cast<size_t>(MAX_PATH)) << c.name;
        harness::ScratchFolder::WriteAt(path, Bytes(documentSize, 10));
        std::string document = LoadChanged(path);
        harness::ScratchFolder::WriteAt(path, Bytes(c.sizeOnDisk, 11));
        saveTempFileName = c.seam ? NoNewFiles : GetTempFileNameW;
        const DWORDLONG index = FileIndexOf(path);
        harness::BoxCatcher boxes;
        EXPECT_EQ(1, hexView.Save()) << c.name;
        EXPECT_EQ(c.throughCopy, index != FileIndexOf(path)) << c.name;
        EXPECT_TRUE(boxes.texts.empty()) << c.name;
        EXPECT_EQ(document, harness::ScratchFolder::ReadAt(path)) << c.name;
        EXPECT_EQ(std::vector<std::string>{"doc.bin"}, harness::ScratchFolder::NamesIn(c.folder)) << c.name;
        EXPECT_EQ(0, hexView.modified) << c.name;
        DeleteFileA(path.c_str());
    }

    // A new name in such a folder is created too, and a failed write leaves nothing there.
    LoadChanged(folder_.Write("source.bin", Bytes(100, 12)));
    std::string fresh = deep + "\\new.bin";
    EXPECT_EQ(1, hexView.WriteToFile(Wide(fresh).c_str()));
    EXPECT_EQ(DocumentBytes(), harness::ScratchFolder::ReadAt(fresh));
    DeleteFileA(fresh.c_str());
    saveWriteFile = FailingWrite;
    {
        harness::BoxCatcher boxes;
        EXPECT_EQ(0, hexView.WriteToFile(Wide(fresh).c_str()));
        EXPECT_EQ(1u, boxes.texts.size());
    }
    EXPECT_TRUE(harness::ScratchFolder::NamesIn(deep).empty());
    RemoveDirectoryA(deep.c_str());
}

// Faults after the copy is complete: the original stays whole under its name and the copy made
// by this save is gone; copies that earlier, interrupted saves left are the user's and stay. A
// rename refused only while another program holds a file goes through once it lets go; one
// refused for good (past the two seconds of retries) fails.
TEST_F(ReliabilityTest, FaultsAroundTheCopyKeepTheOriginal) {
    const std::string original = Bytes(2000, 13);
    const std::string leftOver = Bytes(77, 14);
    struct Case { const char* name; FlushFunction flush; MoveFileFunction move; DWORD held; bool saved; };
    const Case cases[] = {
        {"flush fails", FailingFlush, MoveFileExW, 0, false},
        {"copy cannot be moved into place", FlushFileBuffers, FailingMove, 0, false},
        {"target vanishes as the copy moves", FlushFileBuffers, TargetVanishesDuringMove, 0, true},
        {"held for a moment: access denied", FlushFileBuffers, MoveAfterTwoRefusals, ERROR_ACCESS_DENIED, true},
        {"held for a moment: sharing violation", FlushFileBuffers, MoveAfterTwoRefusals, ERROR_SHARING_VIOLATION,
         true},
        {"held for a moment: lock violation", FlushFileBuffers, MoveAfterTwoRefusals, ERROR_LOCK_VIOLATION, true},
        {"held with another error", FlushFileBuffers, MoveAfterTwoRefusals, ERROR_INVALID_PARAMETER, false},
    };
    for (const Case& c : cases) {
        std::string path = folder_.Write("kept.bin", original);
        folder_.Write("byt1.tmp", leftOver);
        std::string document = LoadChanged(path);
        saveFlushFileBuffers = c.flush;
        saveMoveFile = c.move;
        heldError = c.held;
        callsSeen = 0;
        int result;
        {
            harness::BoxCatcher boxes;
            result = hexView.Save();
            ASSERT_EQ(c.saved ? 0u : 1u, boxes.texts.size()) << c.name;
            if (!c.saved) {
                EXPECT_EQ(WriteErrorText, boxes.texts[0]) << c.name;
            }
        }
        EXPECT_EQ(c.saved ? 1 : 0, result) << c.name;
        EXPECT_EQ(c.saved ? document : original, folder_.Read("kept.bin")) << c.name;
        EXPECT_EQ(c.saved ? 0 : 1, hexView.modified) << c.name;
        EXPECT_EQ((std::vector<std::string>{"byt1.tmp", "kept.bin"}), folder_.FileNames()) << c.name;
        EXPECT_EQ(leftOver, folder_.Read("byt1.tmp")) << c.name;
    }
}

// The rename that puts the copy in place keeps the marks the user set on the file.
TEST_F(ReliabilityTest, SaveKeepsTheFilesAttributes) {
    std::string path = folder_.Write("marked.bin", Bytes(500, 15));
    const DWORD marks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), marks));
    DWORD before = GetFileAttributesA(path.c_str()) & marks;
    ASSERT_NE(0u, before & FILE_ATTRIBUTE_HIDDEN) << "the folder cannot keep the hidden mark";
    std::string document = LoadChanged(path);
    ASSERT_EQ(1, hexView.Save());
    EXPECT_EQ(before, GetFileAttributesA(path.c_str()) & marks);
    EXPECT_EQ(document, folder_.Read("marked.bin"));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The copy is renamed over the file only where that changes nothing but the bytes (the file index
// then changes); otherwise the file is written over, and if that fails the complete copy stays.
TEST_F(ReliabilityTest, SaveKeepsTheFilesRightsAndNames) {
    enum Target { Ordinary, OwnerOnly, UnixMode600, SecondName };
    struct Case { const char* name; Target target; WriteFileFunction write; bool saved; };
    const Case cases[] = {
        {"ordinary file", Ordinary, WriteFile, true},
        {"rights given to the owner alone", OwnerOnly, WriteFile, true},
        {"host mode 600", UnixMode600, WriteFile, true},
        {"second name", SecondName, WriteFile, true},
        {"short write over the kept file", OwnerOnly, ShortFirstWrite, false},
    };
    // Under Wine the host's mode is judged too: its rights show the mode only in part.
    const bool hostSide = harness::UnixSide::Present();
    for (const Case& c : cases) {
        if (c.target == UnixMode600 && !hostSide) {
            continue;
        }
        harness::ScratchFolder folder;
        std::string path = folder.Write("kept.bin", Bytes(700, 16));
        std::string other = folder.Path("other.bin");
        ASSERT_TRUE(c.target != OwnerOnly || RestrictToOwner(path)) << c.name;
        ASSERT_TRUE(c.target != UnixMode600 || harness::UnixSide::SetMode(path, "600")) << c.name;
        const std::string mode = hostSide ? harness::UnixSide::ModeOf(path) : "";
        ASSERT_TRUE(!hostSide || c.target != UnixMode600 || mode == "600") << c.name << ": mode " << mode;
        ASSERT_TRUE(c.target != SecondName || CreateHardLinkA(other.c_str(), path.c_str(), nullptr)) << c.name;
        const std::string rights = RightsOf(path);
        const DWORDLONG index = FileIndexOf(path);
        std::string document = LoadChanged(path);
        saveWriteFile = c.write;
        // Counted from one before the copy's write, so that the write over the kept file comes up short.
        callsSeen = -1;
        harness::BoxCatcher boxes;
        EXPECT_EQ(c.saved ? 1 : 0, hexView.Save()) << c.name;
        EXPECT_EQ(c.saved ? 0u : 1u, boxes.texts.size()) << c.name;
        EXPECT_EQ(rights, RightsOf(path)) << c.name;
        EXPECT_EQ(mode, hostSide ? harness::UnixSide::ModeOf(path) : "") << c.name;
        EXPECT_EQ(c.target == Ordinary, FileIndexOf(path) != index) << c.name;
        EXPECT_EQ(c.saved ? 0 : 1, hexView.modified) << c.name;
        EXPECT_EQ(c.target == SecondName, FileIndexOf(other) == FileIndexOf(path)) << c.name;
        // Sorted names: a copy left by this save ("byt...") comes first.
        std::vector<std::string> names = folder.FileNames();
        ASSERT_EQ(c.target == SecondName || !c.saved ? 2u : 1u, names.size()) << c.name;
        EXPECT_EQ(document, folder.Read(c.saved ? "kept.bin" : names[0])) << c.name;
    }
}

// A real volume that fills up: the test script mounts a 1 MiB tmpfs and names it (as a Wine
// path) in BYTRANE_SMALL_VOLUME. A document of 600 KiB fits once, but not twice, so the
// temporary copy runs out of room and the file is overwritten where it stands. A read-only file
// there is refused before anything is written.
TEST_F(ReliabilityTest, SavingOntoAVolumeThatFillsUpWritesInPlace) {
    char volume[MAX_PATH] = "";
    if (GetEnvironmentVariableA("BYTRANE_SMALL_VOLUME", volume, sizeof volume) == 0) {
        GTEST_SKIP() << "no small volume was mounted for this run";
    }
    const int documentSize = 600 * 1024;
    std::string path = std::string(volume) + "\\full.bin";
    struct Case { const char* name; bool readOnly; };
    const Case cases[] = {{"writable", false}, {"read-only", true}};
    for (const Case& c : cases) {
        const std::string original = Bytes(documentSize, 9);
        harness::ScratchFolder::WriteAt(path, original);
        ASSERT_EQ(original, harness::ScratchFolder::ReadAt(path));
        std::string document = LoadChanged(path);
        if (c.readOnly) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        int result;
        {
            harness::BoxCatcher boxes;
            result = hexView.Save();
            EXPECT_TRUE(boxes.texts.empty()) << c.name;
        }
        EXPECT_EQ(c.readOnly ? 0 : 1, result) << c.name;
        EXPECT_EQ(c.readOnly ? 1 : 0, hexView.modified) << c.name;
        EXPECT_EQ(c.readOnly ? original : document, harness::ScratchFolder::ReadAt(path)) << c.name;
        EXPECT_EQ(std::vector<std::string>{"full.bin"}, harness::ScratchFolder::NamesIn(volume)) << c.name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
}

// In the ANSI code pages of East Asian Windows the second byte of a character can be 0x5C, the
// backslash (949 has no such character; its name is there for the title): a name that the ANSI
// calls would have cut there. CTest runs this once per code page with LANG set so that Wine gives
// the process that code page, named in BYTRANE_CODE_PAGE.
TEST_F(ReliabilityTest, ANameInADoubleByteCodePageLoadsTitlesAndSavesThroughTheCopy) {
    struct Case { UINT codePage; const char* name; };
    const Case cases[] = {
        {932, "\xE8\xA1\xA8.bin"}, {936, "\xE4\xB9\x97.bin"}, {949, "\xED\x91\x9C.bin"}, {950, "\xE8\xA8\xB1.bin"},
    };
    char wanted[8] = "";
    if (GetEnvironmentVariableA("BYTRANE_CODE_PAGE", wanted, sizeof wanted) == 0) {
        GTEST_SKIP() << "runs with LANG set for a double-byte code page";
    }
    ASSERT_EQ(static_cast<UINT>(atoi(wanted)), GetACP()) << "the locale did not give the code page";
    for (const Case& c : cases) {
        if (c.codePage != GetACP()) continue;
        std::string path = folder_.Write(c.name, Bytes(300, 17));
        std::string document = LoadChanged(path);
        EXPECT_EQ(std::string(c.name) + " - Bytrane", harness::StoredText(mainWindow.hwnd));
        const DWORDLONG index = FileIndexOf(path);
        EXPECT_EQ(1, hexView.Save());
        EXPECT_EQ(document, folder_.Read(c.name));
        EXPECT_EQ(std::vector<std::string>{c.name}, folder_.FileNames());
        EXPECT_NE(index, FileIndexOf(path)) << "the copy beside the file was renamed over it";
    }
}

TEST_F(ReliabilityTest, NamesThatAreNotFilesAreRefusedWithoutABox) {
    std::string previous = folder_.Write("previous.bin", Bytes(64, 5));
    const std::string names[] = {
        "C:\\windows",
        folder_.Path(""),
        "NUL",
        "\\\\.\\COM1",
        "C:\\" + std::string(300, 'n'),
    };
    for (const std::string& name : names) {
        ASSERT_EQ(1, hexView.LoadFile(Wide(previous).c_str()));
        harness::BoxCatcher boxes;
        EXPECT_EQ(0, hexView.LoadFile(Wide(name).c_str())) << name;
        EXPECT_TRUE(boxes.texts.empty()) << name;
        EXPECT_EQ(0, hexView.fileSize) << name;
        EXPECT_EQ(0, hexView.modified) << name;
        hexView.Paint();
        EXPECT_TRUE(IsWindow(hexView.hwnd)) << name;
    }
}

// A drop that names no file, as a broken drag source can send it.
HDROP MakeEmptyDrop() {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + 2);
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    GlobalUnlock(block);
    return static_cast<HDROP>(block);
}

TEST_F(ReliabilityTest, AnEmptyDropChangesNothing) {
    std::string path = folder_.Write("open.bin", Bytes(40, 6));
    std::string document = LoadChanged(path);
    harness::BoxCatcher boxes;
    SendMessageA(mainWindow.hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeEmptyDrop()), 0);
    PumpMessages();
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(path, Utf8(hexView.fileName));
    EXPECT_EQ(document, DocumentBytes());
    EXPECT_EQ(1, hexView.modified);
}

TEST_F(ReliabilityTest, EveryByteValueGoesThroughTheCharacterDialog) {
    std::string path = folder_.Write("chars.bin", Bytes(16, 7));
    ASSERT_EQ(1, hexView.LoadFile(Wide(path).c_str()));
    hexView.editAllowed = 1;
    LPARAM firstCharacter = MAKELPARAM(CharColumn * hexView.charWidth + hexView.charWidth / 2, hexView.lineHeight / 2);
    std::vector<int> wrong;
    for (int value = 0; value < ByteValueCount; ++value) {
        hexView.document.data[0] = static_cast<BYTE>(value + 1);
        // Byte 0 cannot be typed; an empty field is how it is entered.
        char typed[2] = {static_cast<char>(value), '\0'};
        DialogAnswerer answer([&typed](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_EDIT_FIELD, typed);
            DialogAnswerer::PostCommand(dialog, IDOK);
            return true;
        });
        hexView.EditByteAt(firstCharacter);
        ASSERT_TRUE(answer.finished) << value;
        ASSERT_FALSE(answer.timedOut) << value;
        if (hexView.document.data[0] != value) {
            wrong.push_back(value);
        }
    }
    EXPECT_TRUE(wrong.empty()) << "first wrong value " << (wrong.empty() ? -1 : wrong[0]) << " of "
                               << wrong.size();
    EXPECT_EQ(1, hexView.modified);
    EXPECT_EQ(16, hexView.fileSize);
    hexView.editAllowed = 0;
}

}  // namespace
