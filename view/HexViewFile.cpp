// Moving a file in and out of the view: load, the Open and Save As dialogs, and the save.
#include <cstring>

#include "framework/FileDialog.h"
#include "framework/FileHandle.h"
#include "framework/TextUtil.h"
#include "view/HexView.h"
#include "view/SaveSeam.h"

WriteFileFunction saveWriteFile = WriteFile;

namespace {

const DWORD ExtraBytes = 2;
const char TempPrefix[] = "byt";

// The folder part of a path ("." when it names none), where the temporary copy is written so
// that the final rename stays on one volume.
void FolderOfPath(const char* path, char* folder) {
    strcpy(folder, path);
    char* cut = nullptr;
    for (char* p = folder; *p != '\0'; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':') {
            cut = p;
        }
    }
    if (cut == nullptr) {
        strcpy(folder, ".");
    } else if (*cut == ':' || cut == folder || cut[-1] == ':') {
        // "C:" alone names the drive's current folder, not its root; keep the separator.
        cut[1] = '\0';
    } else {
        *cut = '\0';
    }
}

// Wine's ReplaceFileA leaves a file of its own in the folder when the target is in use, so a
// target that cannot be opened for writing is refused before replacing is tried.
bool CanReplace(const char* path) {
    FileHandle target(CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return target.IsValid();
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

int HexView::LoadFile(const char* path) {
    // A longer path would not fit the name buffer; it is refused like a file that cannot be read.
    bool fits = strlen(path) < static_cast<size_t>(PathSize);
    if (fits) {
        strcpy(fileName, path);
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
    LoadFailure failure = LoadFailure::CannotOpen;
    int loaded = fits ? document.Load(fileName, ExtraBytes, &failure) : 0;
    host->HideBusy();
    if (!loaded) {
        if (document.data == nullptr) {
            ShowEmptyDocument();
        }
        if (failure == LoadFailure::TooLarge) {
            host->ShowError("File too large to open (2 GiB or more).", ProgramCaption);
        } else if (failure == LoadFailure::NoMemory) {
            host->ShowError("Not enough memory to open the file.", ProgramCaption);
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
    char path[PathSize] = {};
    FileDialog dialog(1, FileDialogFilter, 1, nullptr);
    if (dialog.Run(hwnd, path, sizeof(path), nullptr)) {
        LoadFile(path);
    }
}

int HexView::WriteToFile(const char* path) {
    char folder[PathSize];
    char temporary[PathSize];
    if (path[0] == '\0' || strlen(path) >= sizeof(folder)) {
        return 0;
    }
    FolderOfPath(path, folder);
    if (GetTempFileNameA(folder, TempPrefix, 0, temporary) == 0) {
        return 0;
    }
    DWORD count = static_cast<DWORD>(fileSize);
    BOOL written = FALSE;
    {
        FileHandle file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
        if (!file.IsValid()) {
            DeleteFileA(temporary);
            return 0;
        }
        DWORD actual = 0;
        const BYTE* bytes = Bytes();
        if (count == 0) {
            written = TRUE;
        } else if (bytes != nullptr) {
            written = saveWriteFile(file.Get(), bytes, count, &actual, nullptr) && actual == count;
        }
        written = written && FlushFileBuffers(file.Get());
    }
    if (!written) {
        DeleteFileA(temporary);
        host->ShowError("An error occurred, file not saved.", ProgramCaption);
        return 0;
    }
    // Replacing keeps the target's attributes and refuses a read-only or locked target.
    BOOL replaced;
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
        replaced = CanReplace(path) &&
                   ReplaceFileA(path, temporary, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
        // With no backup name this error means the target is already gone and the temporary
        // file holds the only copy: it must be moved into place, never deleted.
        if (!replaced && GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
            return MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 1 : 0;
        }
    } else {
        replaced = MoveFileExA(temporary, path, MOVEFILE_WRITE_THROUGH);
    }
    if (!replaced) {
        DeleteFileA(temporary);
        return 0;
    }
    return 1;
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
    char path[PathSize] = {};
    FileDialog dialog(0, FileDialogFilter, 1, nullptr);
    if (!dialog.Run(hwnd, path, sizeof(path), nullptr)) {
        return;
    }
    if (!WriteToFile(path)) {
        return;
    }
    modified = 0;
    host->SetStatusPart(StatusPartModified, "");
    strcpy(fileName, path);
    host->UpdateTitle();
}
