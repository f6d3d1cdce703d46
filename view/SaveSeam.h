#pragma once
#include <windows.h>

// The write call that saving uses. Tests replace it to simulate a full disk or a short write.
typedef BOOL(WINAPI* WriteFileFunction)(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written,
                                        LPOVERLAPPED overlapped);
extern WriteFileFunction saveWriteFile;
