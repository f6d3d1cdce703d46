#pragma once
#include <windows.h>

// Why a load failed, so the open flow can tell the user what it can do about it.
enum class LoadFailure { None, CannotOpen, TooLarge, NoMemory, ReadFailed };

// Largest file the view can hold: it counts bytes in a signed 32-bit integer, so 2 GiB
// (0x80000000 bytes) and more are refused.
const DWORD LargestLoadableSize = 0x7FFFFFFF;

// Most bytes one ReadFile or WriteFile call moves. A single call of hundreds of megabytes can
// fail with ERROR_NO_SYSTEM_RESOURCES on Windows (network shares above all) although the file is
// fine, so loading and saving go in pieces of at most this size.
const DWORD LargestTransfer = 64u << 20;

// Whether a file whose size GetFileSize gave as sizeHigh:sizeLow can be loaded with extraBytes
// behind it: the size must be below 2 GiB and the block size must not wrap at 32 bits.
bool IsLoadableSize(DWORD sizeHigh, DWORD sizeLow, DWORD extraBytes);

// The loaded file as one zero-initialised block of its size plus a few extra bytes.
// A plain record without a constructor: it lives inside a static object and starts zeroed.
struct Document {
    // Reads the whole file; 1 on success, 0 on failure (failure, when given, says why; None on
    // success). A file that cannot be opened or sized, a device, or a file too large leaves the
    // record as it was.
    int Load(const wchar_t* path, DWORD extraBytes, LoadFailure* failure = nullptr);
    // Frees the block if there is one; data, begin and end become null and capacity 0.
    void Release();

    BYTE* data;
    BYTE* begin;
    BYTE* end;
    DWORD capacity;
    DWORD size;
};
