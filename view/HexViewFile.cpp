// Moving a file in and out of the view: load, the Open and Save As dialogs, and the save.
#include <cwchar>

#include "framework/FileDialog.h"
#include "framework/FileHandle.h"
#include "framework/PathBuffer.h"
#include "framework/SystemPath.h"
#include "framework/TextUtil.h"
#include "view/HexView.h"
#include "view/RenameCheck.h"
#include "view/SaveSeam.h"

WriteFileFunction saveWriteFile = WriteFile;
TempFileNameFunction saveTempFileName = GetTempFileNameW;
FlushFunction saveFlushFileBuffers = FlushFileBuffers;
MoveFileFunction saveMoveFile = MoveFileExW;

namespace {

const DWORD ExtraBytes = 2;
const wchar_t TempPrefix[] = L"byt";
const wchar_t TempExtension[] = L".tmp";
// GetTempFileNameW takes a folder of at most this many units; a deeper folder's copy is named
// here, in the same pattern with eight hex digits, so a save there still goes through a copy.
const size_t LongestTempFolder = MAX_PATH - 14;
const int TempDigits = 8;
// What a copy's own name adds to the folder: a separator, the prefix, the digits and ".tmp".
const size_t TempNameLength =
    1 + (sizeof TempPrefix / sizeof(wchar_t) - 1) + TempDigits + (sizeof TempExtension / sizeof(wchar_t) - 1);
// Names already taken in the folder are skipped; past this many the folder counts as one that
// takes no new files.
const int TempNameTries = 100;
const char WriteErrorText[] = "An error occurred, file not saved.";
// What a rename must carry over from the file it replaces; read-only targets are refused anyway.
const DWORD CarriedAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
// Virus scanners, the search indexer and sync clients open a freshly written file for a moment;
// a rename of it fails with one of these errors meanwhile and goes through once they let go.
const DWORD RenameRetryMilliseconds = 2000;
const DWORD FirstRenamePause = 10;
const DWORD LongestRenamePause = 250;

bool IsPassingRenameError(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// The rename, tried again with a growing pause while another program briefly holds a file. Any
// other error, or a hold that lasts past the retry time, fails with the last error kept.
BOOL MoveWhenLetGo(const wchar_t* from, const wchar_t* to, DWORD flags) {
    SystemPath source(from);
    SystemPath target(to);
    DWORD start = GetTickCount();
    DWORD pause = FirstRenamePause;
    while (!saveMoveFile(source.Get(), target.Get(), flags)) {
        DWORD error = GetLastError();
        if (!IsPassingRenameError(error) || GetTickCount() - start >= RenameRetryMilliseconds) {
            SetLastError(error);
            return FALSE;
        }
        Sleep(pause);
        pause = pause * 2 < LongestRenamePause ? pause * 2 : LongestRenamePause;
    }
    return TRUE;
}

// A file that cannot be opened for writing (held open by another program, no access) must not be
// replaced behind its owner's back. The read-only mark is checked apart: a program running with
// full rights, as under Wine as root, may open such a file for writing all the same.
bool CanWrite(const wchar_t* path) {
    FileHandle target(
        CreateFileW(SystemPath(path).Get(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return target.IsValid();
}

// Creates an empty file under a fresh name in the folder and leaves the name in temporary (room
// for LongestPath units).
bool ReserveCopyName(const wchar_t* folder, wchar_t* temporary) {
    size_t length = wcslen(folder);
    if (length <= LongestTempFolder) {
        return saveTempFileName(folder, TempPrefix, 0, temporary) != 0;
    }
    if (length + TempNameLength >= LongestPath) {
        return false;
    }
    DWORD unique = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (int tries = 0; tries < TempNameTries; ++tries, ++unique) {
        char digits[TempDigits];
        DwordToHex(unique, digits);
        wchar_t* name = wcscpy(temporary, folder) + length;
        if (name[-1] != L'\\' && name[-1] != L'/') {
            *name++ = L'\\';
        }
        name = wcscpy(name, TempPrefix) + wcslen(TempPrefix);
        for (int i = 0; i < TempDigits; ++i) {
            *name++ = static_cast<wchar_t>(digits[i]);
        }
        wcscpy(name, TempExtension);
        FileHandle file(CreateFileW(SystemPath(temporary).Get(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.IsValid()) {
            return true;
        }
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
    return false;
}

}  // namespace

void HexView::ShowEmptyDocument() {
    fileSize = 0;
    rowCount = RowCountOf(0);
    topRow = 0;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 1;
    info.nPage = pageRows;
    info.nPos = 0;
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    Paint();
}

int HexView::LoadFile(const wchar_t* path) {
    // A longer path would not fit the name buffer; it is refused like a file that cannot be read.
    bool fits = wcslen(path) < LongestPath;
    if (fits) {
        wcscpy(fileName, path);
    }
    host->ShowBusy(hwnd, "Loading...");
    host->SetStatusMessage(NoFileLoaded, 0);
    host->SetStatusPart(StatusPartEditMode, "");
    host->SetStatusPart(StatusPartModified, "");
    editAllowed = 0;
    modified = 0;
    nextSearchPos = -1;
    fileSize = 0;
    // A stale match range must not light up bytes of the new document.
    highlightMatch = 0;
    bool hadBlock = document.data != nullptr;
    LoadFailure failure = LoadFailure::CannotOpen;
    int loaded = fits ? document.Load(fileName, ExtraBytes, &failure) : 0;
    host->HideBusy();
    if (!loaded) {
        // The rows on screen belong to a block that is gone; with no block before, nothing
        // on screen changes.
        if (hadBlock && document.data == nullptr) {
            ShowEmptyDocument();
        }
        if (failure == LoadFailure::TooLarge) {
            host->ShowError("File too large to open (2 GiB or more).", ProgramCaption);
        }
        return 0;
    }
    fileSize = static_cast<int>(document.size);
    rowCount = RowCountOf(fileSize);

    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = rowCount - 1 > 1 ? rowCount - 1 : 1;
    info.nPage = pageRows;
    info.nPos = 0;
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);

    host->UpdateTitle();
    Paint();
    Scroll(SB_TOP, 1);
    host->SetStatusMessage(FileSize, static_cast<DWORD>(fileSize));
    return loaded;
}

void HexView::OpenFile() {
    PathBuffer path;
    FileDialog dialog(1, FileDialogFilter, 1, nullptr);
    if (path.Get() != nullptr && dialog.Run(hwnd, path.Get(), LongestPath, nullptr)) {
        LoadFile(path.Get());
    }
}

// Writes the document into a fresh temporary file beside the target. The copy either holds the
// whole document, flushed, or is deleted again.
HexView::CopyResult HexView::WriteCopy(const wchar_t* folder, const WIN32_FILE_ATTRIBUTE_DATA* original,
                                       wchar_t* temporary) {
    if (!ReserveCopyName(folder, temporary)) {
        return CopyNotCreated;
    }
    SystemPath copy(temporary);
    bool complete;
    bool noRoom;
    {
        FileHandle file(
            CreateFileW(copy.Get(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid()) {
            DeleteFileW(copy.Get());
            return CopyNotCreated;
        }
        complete = WriteDocument(file.Get(), &noRoom);
        if (complete && original != nullptr) {
            // A rename gives the target the copy's times; keep the date the file was created.
            SetFileTime(file.Get(), &original->ftCreationTime, nullptr, nullptr);
        }
    }
    if (!complete) {
        DeleteFileW(copy.Get());
        return noRoom ? CopyNoRoom : CopyFailed;
    }
    if (original != nullptr) {
        SetFileAttributesW(copy.Get(), original->dwFileAttributes & CarriedAttributes);
    }
    return CopyWritten;
}

// One rename of the complete copy over the target, so that the name always holds either the old
// content or the new one. A copy that did not move stays the user's only new data when the name
// has meanwhile lost its file, so it is deleted only while the target is still there. A new name
// that the rename cannot take is one the system refuses (a character it does not allow, a part
// too long): like a file that cannot be created, it fails with no message and no copy left.
int HexView::PutCopyInPlace(const wchar_t* temporary, const wchar_t* path, bool existed) {
    if (MoveWhenLetGo(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return 1;
    }
    if (!existed) {
        DeleteFileW(SystemPath(temporary).Get());
        return 0;
    }
    if (GetFileAttributesW(SystemPath(path).Get()) == INVALID_FILE_ATTRIBUTES) {
        if (MoveWhenLetGo(temporary, path, MOVEFILE_WRITE_THROUGH)) {
            return 1;
        }
    } else {
        DeleteFileW(SystemPath(temporary).Get());
    }
    host->ShowError(WriteErrorText, ProgramCaption);
    return 0;
}

// Where the rename would change more than the bytes (other rights or owner, a second name, named
// streams), the file itself is kept: the document is written over it while the complete copy
// waits beside it, so every right, name, stream, time and the file index stay the file's own.
// The copy goes once the file holds the whole document. After a failed or interrupted write it
// is the one whole new version on disk and stays for the user; it goes only if the file could
// not even be opened, and so still holds its old bytes.
int HexView::WriteOverKeptFile(const wchar_t* temporary, const wchar_t* path) {
    bool opened;
    bool written;
    {
        FileHandle file(CreateFileW(SystemPath(path).Get(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        opened = file.IsValid();
        written = opened && Overwrite(file.Get());
    }
    if (written || !opened) {
        DeleteFileW(SystemPath(temporary).Get());
    }
    if (!written) {
        host->ShowError(WriteErrorText, ProgramCaption);
        return 0;
    }
    return 1;
}

// The second choice, for when no copy fits or may be made beside the target: the file is
// overwritten where it stands.
int HexView::WriteInPlace(const wchar_t* path, bool exists) {
    SystemPath target(path);
    int result;
    {
        FileHandle file(CreateFileW(target.Get(), GENERIC_WRITE, 0, nullptr, exists ? OPEN_EXISTING : CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid()) {
            return 0;
        }
        result = Overwrite(file.Get());
    }
    if (!result) {
        if (!exists) {
            DeleteFileW(target.Get());
        }
        host->ShowError(WriteErrorText, ProgramCaption);
    }
    return result;
}

// Writes the document over the file from its start. The file is first grown to the document's
// size, so that the writes themselves need no new room.
bool HexView::Overwrite(HANDLE file) {
    DWORD sizeOnDisk = GetFileSize(file, nullptr);
    DWORD count = static_cast<DWORD>(fileSize);
    bool noRoom;
    bool grown = sizeOnDisk != INVALID_FILE_SIZE &&
                 (sizeOnDisk >= count ||
                  (SetFilePointer(file, static_cast<LONG>(count), nullptr, FILE_BEGIN) == count && SetEndOfFile(file)));
    return grown && SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 && WriteDocument(file, &noRoom);
}

// Writes the whole document at the file position, cuts the file there and flushes it. noRoom
// tells a volume that filled up (reported as an error or as a short count) from other failures.
// The bytes go in pieces of at most LargestTransfer.
bool HexView::WriteDocument(HANDLE file, bool* noRoom) {
    DWORD count = static_cast<DWORD>(fileSize);
    const BYTE* bytes = Bytes();
    *noRoom = false;
    bool written = count == 0 || bytes != nullptr;
    for (DWORD done = 0; written && done < count;) {
        DWORD piece = count - done < LargestTransfer ? count - done : LargestTransfer;
        DWORD actual = 0;
        written = saveWriteFile(file, bytes + done, piece, &actual, nullptr);
        if (written && actual != piece) {
            *noRoom = true;
            return false;
        }
        done += piece;
    }
    if (!written || !SetEndOfFile(file) || !saveFlushFileBuffers(file)) {
        DWORD error = GetLastError();
        *noRoom = error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
        return false;
    }
    return true;
}

int HexView::WriteToFile(const wchar_t* path) {
    PathBuffer folder;
    PathBuffer temporary;
    if (path[0] == L'\0' || wcslen(path) >= LongestPath || folder.Get() == nullptr || temporary.Get() == nullptr) {
        return 0;
    }
    WIN32_FILE_ATTRIBUTE_DATA original;
    bool exists = GetFileAttributesExW(SystemPath(path).Get(), GetFileExInfoStandard, &original) != 0;
    // A read-only or locked target is refused before anything is written beside it.
    if (exists && ((original.dwFileAttributes & FILE_ATTRIBUTE_READONLY) || !CanWrite(path))) {
        return 0;
    }
    // The copy goes into the file's own folder, so that the final rename stays on one volume.
    FolderOfPath(path, folder.Get());
    switch (WriteCopy(folder.Get(), exists ? &original : nullptr, temporary.Get())) {
    case CopyWritten:
        if (exists && !RenameChangesOnlyBytes(temporary.Get(), path)) {
            return WriteOverKeptFile(temporary.Get(), path);
        }
        return PutCopyInPlace(temporary.Get(), path, exists);
    case CopyFailed:
        host->ShowError(WriteErrorText, ProgramCaption);
        return 0;
    case CopyNotCreated:
    case CopyNoRoom:
        break;
    }
    return WriteInPlace(path, exists);
}

int HexView::Save() {
    if (!WriteToFile(fileName)) {
        return 0;
    }
    modified = 0;
    host->SetStatusPart(StatusPartModified, "");
    return 1;
}

void HexView::SaveAs() {
    PathBuffer path;
    FileDialog dialog(0, FileDialogFilter, 1, nullptr);
    if (path.Get() == nullptr || !dialog.Run(hwnd, path.Get(), LongestPath, nullptr)) {
        return;
    }
    if (!WriteToFile(path.Get())) {
        return;
    }
    modified = 0;
    host->SetStatusPart(StatusPartModified, "");
    wcscpy(fileName, path.Get());
    host->UpdateTitle();
}
