#pragma once
// What the tests of the view, search and application share: the program's windows started by
// the program's own start-up routine, documents loaded from scratch files, and the texts the
// program shows. Its scratch folder, box catcher and scripted user come with it.
#include <windows.h>

#include <string>

#include "tests/support/BoxCatcher.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/ScriptedUser.h"

namespace harness {

// Creates the main window with its status bar and hex view once per process, as start-up does.
void StartProgramWindows();
// Loads bytes into the view through a scratch file, with exactly rows whole rows visible.
bool LoadDocument(const std::string& bytes, int rows = 10);
// Sizes the view so that exactly rows whole rows fit.
void SizeViewToRows(int rows);
std::string StatusPartText(int part);
std::string WindowText(HWND window);
// A window's text as the system keeps it, in UTF-8. GetWindowTextW in the window's own process
// would go through its ANSI window procedure and convert the text to the code page.
std::string StoredText(HWND window);
std::string ItemText(HWND dialog, int id);
// The status text the program shows for the loaded document's size.
std::string FileSizeText();
// Bytes of every value in turn, shifted by seed; and the document's bytes as the view holds them.
std::string Bytes(int size, int seed);
std::string DocumentBytes();
// A write that a full disk refuses, for the save seam.
BOOL WINAPI FailingWrite(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED overlapped);
// An allocation that finds no free block, for the load seam.
HGLOBAL WINAPI NoFreeBlock(UINT flags, SIZE_T bytes);

}  // namespace harness
