#pragma once
#include <windows.h>

// The allocation and the reads that loading goes through. Tests replace them to simulate a
// process that finds no free block as large as the file, whatever its address space, and a
// system that refuses reads above a certain size.
typedef HGLOBAL(WINAPI* GlobalAllocFunction)(UINT flags, SIZE_T bytes);
typedef BOOL(WINAPI* ReadFileFunction)(HANDLE file, LPVOID buffer, DWORD count, LPDWORD read,
                                       LPOVERLAPPED overlapped);

extern GlobalAllocFunction loadGlobalAlloc;
extern ReadFileFunction loadReadFile;
