#pragma once
#include <windows.h>

// Why a load failed, so the open flow can tell the user what it can do about it.
enum class LoadFailure { None, CannotOpen, TooLarge, NoMemory, ReadFailed };

// The loaded file as one zero-initialised block of its size plus a few extra bytes.
struct Document {
    // Reads the whole file; 1 on success, 0 on failure (failure says why when given).
    int Load(const char* path, DWORD extraBytes, LoadFailure* failure = nullptr);
    void Release();

    BYTE* data;
    BYTE* begin;
    BYTE* end;
    DWORD capacity;
    DWORD size;
};
