#pragma once
#include <windows.h>

#include "framework/ButtonControl.h"

// The buttons every message box and the About box share, and the keyboard state that goes
// with them. The buttons themselves are defined with the program's other objects.
extern ButtonControl messageBoxButtons[];
extern int buttonCount;
extern int focusIndex;
extern WNDPROC originalButtonProc;

// Window procedure of the subclassed buttons: Tab, Right and Left move the focus round the
// buttons, Enter and a button's mnemonic choose a button.
LRESULT CALLBACK ButtonKeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
