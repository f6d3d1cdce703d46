#pragma once
#include <windows.h>

// The allocation that loading goes through. Tests replace it to simulate a process that finds
// no free block as large as the file, whatever its address space.
typedef HGLOBAL(WINAPI* GlobalAllocFunction)(UINT flags, SIZE_T bytes);

extern GlobalAllocFunction loadGlobalAlloc;
