#pragma once
#include <windows.h>

// Creates the program's windows as the entry starts them: records the instance, defines the
// status bar's parts, hands the view and search layers the program's objects, creates the main
// window with its status bar and view, accepts dropped files and shows the frame with
// showCommand. Returns 0, with nothing shown, when the windows cannot be created.
int CreateProgramWindows(HINSTANCE instance, int showCommand);
