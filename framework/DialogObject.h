#pragma once
#include "framework/WindowObject.h"

// A modal dialog from a resource template bound to its object through DWL_USER (DWLP_USER).
class DialogObject : public WindowObject {
public:
    DialogObject();
    virtual INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // Runs the dialog of templateId on this object, owned by owner: the value given to
    // EndDialog, or -1 when the dialog cannot be created.
    INT_PTR Run(HWND owner, int templateId);

    // The ending every dialog shares: OK ends it with 1, Cancel with 0 (both return 1, handled);
    // any other command returns 0 and leaves the dialog open.
    static INT_PTR EndOnOkCancel(HWND dialog, WPARAM wParam);

    static INT_PTR CALLBACK StaticDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};
