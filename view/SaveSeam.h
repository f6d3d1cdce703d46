#pragma once
#include <windows.h>

// The system calls that saving goes through. Tests replace them to simulate a full disk, a short
// write, a folder where no file may be created, a failed flush or a rename that does not happen.
typedef BOOL(WINAPI* WriteFileFunction)(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written,
                                        LPOVERLAPPED overlapped);
typedef UINT(WINAPI* TempFileNameFunction)(LPCWSTR folder, LPCWSTR prefix, UINT unique, LPWSTR name);
typedef BOOL(WINAPI* FlushFunction)(HANDLE file);
typedef BOOL(WINAPI* MoveFileFunction)(LPCWSTR from, LPCWSTR to, DWORD flags);

extern WriteFileFunction saveWriteFile;
extern TempFileNameFunction saveTempFileName;
extern FlushFunction saveFlushFileBuffers;
extern MoveFileFunction saveMoveFile;
