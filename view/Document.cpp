#include "view/Document.h"

#include "framework/FileHandle.h"
#include "framework/SystemPath.h"
#include "view/LoadSeam.h"

GlobalAllocFunction loadGlobalAlloc = GlobalAlloc;
ReadFileFunction loadReadFile = ReadFile;

namespace {

void Report(LoadFailure* failure, LoadFailure reason) {
    if (failure != nullptr) {
        *failure = reason;
    }
}

}  // namespace

bool IsLoadableSize(DWORD sizeHigh, DWORD sizeLow, DWORD extraBytes) {
    // Loading only the low 32 bits would let a later save write a truncated copy back.
    if (sizeHigh != 0 || sizeLow > LargestLoadableSize) {
        return false;
    }
    return extraBytes <= 0xFFFFFFFFu - sizeLow;
}

int Document::Load(const wchar_t* path, DWORD extraBytes, LoadFailure* failure) {
    FileHandle file(CreateFileW(SystemPath(path).Get(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.IsValid()) {
        Report(failure, LoadFailure::CannotOpen);
        return 0;
    }
    // A device such as NUL or a serial port opens like a file, but it has no bytes to show and
    // a read from it can block; saving back would write to the device instead of a file.
    if (GetFileType(file.Get()) != FILE_TYPE_DISK) {
        Report(failure, LoadFailure::CannotOpen);
        return 0;
    }
    // INVALID_FILE_SIZE is also a valid low part; only the error code tells a failure apart.
    SetLastError(NO_ERROR);
    DWORD sizeHigh = 0;
    DWORD sizeLow = GetFileSize(file.Get(), &sizeHigh);
    if (sizeLow == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        Report(failure, LoadFailure::CannotOpen);
        return 0;
    }
    if (!IsLoadableSize(sizeHigh, sizeLow, extraBytes)) {
        Report(failure, LoadFailure::TooLarge);
        return 0;
    }
    size = sizeLow;
    Release();
    data = static_cast<BYTE*>(loadGlobalAlloc(GMEM_ZEROINIT, size + extraBytes));
    if (data == nullptr) {
        Report(failure, LoadFailure::NoMemory);
        return 0;
    }
    capacity = size + extraBytes;
    DWORD total = 0;
    while (total < size) {
        DWORD wanted = size - total < LargestTransfer ? size - total : LargestTransfer;
        DWORD read = 0;
        if (!loadReadFile(file.Get(), data + total, wanted, &read, nullptr)) {
            Release();
            size = 0;
            Report(failure, LoadFailure::ReadFailed);
            return 0;
        }
        total += read;
        // A short read (the file shrank in between) keeps what was read; the bytes behind it
        // stay zero, as the block was zero-filled.
        if (read < wanted) {
            break;
        }
    }
    size = total;
    begin = data;
    end = data + size;
    Report(failure, LoadFailure::None);
    return 1;
}

void Document::Release() {
    if (data != nullptr) {
        // GlobalFree returns null on success; should it ever fail the block is still not ours
        // to use, so data is cleared either way.
        GlobalFree(data);
        data = nullptr;
    }
    begin = nullptr;
    end = nullptr;
    capacity = 0;
}
