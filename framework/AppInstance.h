#pragma once
#include <windows.h>

// The program's module handle, recorded by the entry before any window exists; every class
// registration, window creation, dialog and resource load uses it.
extern HINSTANCE appInstance;
