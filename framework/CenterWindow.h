#pragma once
#include <windows.h>

// Moves the window, keeping its size, to the centre of its owner, or of the full-screen
// work area when it has none; returns MoveWindow's result.
BOOL CenterWindow(HWND window);
