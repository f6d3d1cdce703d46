#pragma once
#include "framework/WindowObject.h"

// A modal dialog from a resource template bound to its object through DWL_USER. Run with
// DialogBoxParamA(appInstance, template, owner, StaticDialogProc, (LPARAM)object).
class DialogObject : public WindowObject {
public:
    DialogObject();
    virtual INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    static INT_PTR CALLBACK StaticDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};
