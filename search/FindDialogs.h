#pragma once
#include <windows.h>

const int SearchTextSize = 22;   // 21 characters and the terminator

// What the find dialogs show when they open and hand back on OK.
struct FindRequest {
    char text[SearchTextSize];
    int caseSensitive;
};
extern FindRequest findRequest;

INT_PTR CALLBACK FindTextDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FindHexDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
