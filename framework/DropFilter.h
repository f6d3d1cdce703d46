#pragma once
#include <windows.h>

// Lets files dragged from Explorer be dropped on window when the program runs with more rights
// than Explorer (started as administrator to save a protected file): the system holds back
// messages from a lower integrity level unless the window lets them through. Returns how many of
// the drop's messages the window now accepts from there, 0 where the system has no per-window
// filter (before Windows 7) or refused.
int AllowFileDrops(HWND window);
