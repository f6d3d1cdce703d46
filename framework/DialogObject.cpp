#include "framework/DialogObject.h"

DialogObject::DialogObject() {
}

INT_PTR CALLBACK DialogObject::StaticDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG && lParam != 0) {
        DialogObject* object = reinterpret_cast<DialogObject*>(lParam);
        SetWindowLongA(dialog, DWL_USER, reinterpret_cast<LONG>(object));
        object->hwnd = dialog;
    }
    DialogObject* object = reinterpret_cast<DialogObject*>(GetWindowLongA(dialog, DWL_USER));
    if (object == nullptr) {
        return 0;
    }
    return object->DialogProc(message, wParam, lParam);
}
