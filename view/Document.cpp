#include "view/Document.h"

#include "view/FileHandle.h"

namespace {

// The view counts bytes in a signed 32-bit integer.
const DWORD LargestLoadableSize = 0x7FFFFFFF;

void Report(LoadFailure* failure, LoadFailure reason) {
    if (failure != nullptr) {
        *failure = reason;
    }
}

}  // namespace

int Document::Load(const char* path, DWORD extraBytes, LoadFailure* failure) {
    FileHandle file(CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.IsValid()) {
        Report(failure, LoadFailure::CannotOpen);
        return 0;
    }
    DWORD highPart = 0;
    DWORD lowPart = GetFileSize(file.Get(), &highPart);
    if (lowPart == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        Report(failure, LoadFailure::CannotOpen);
        return 0;
    }
    // Loading only the low 32 bits would let a later save write a truncated copy back.
    if (highPart != 0 || lowPart > LargestLoadableSize || lowPart > LargestLoadableSize - extraBytes) {
        Report(failure, LoadFailure::TooLarge);
        return 0;
    }
    size = lowPart;
    Release();
    data = static_cast<BYTE*>(GlobalAlloc(GMEM_ZEROINIT, size + extraBytes));
    if (data == nullptr) {
        Report(failure, LoadFailure::NoMemory);
        return 0;
    }
    capacity = size + extraBytes;
    DWORD wanted = size;
    if (!ReadFile(file.Get(), data, wanted, &size, nullptr)) {
        Release();
        size = 0;
        Report(failure, LoadFailure::ReadFailed);
        return 0;
    }
    begin = data;
    end = data + size;
    Report(failure, LoadFailure::None);
    return 1;
}

void Document::Release() {
    if (data != nullptr) {
        data = static_cast<BYTE*>(GlobalFree(data));
    }
}
