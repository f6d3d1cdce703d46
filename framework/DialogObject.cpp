#include "framework/DialogObject.h"

#include "framework/TemplateDialog.h"

DialogObject::DialogObject() {
}

INT_PTR DialogObject::Run(HWND owner, int templateId) {
    return RunTemplateDialog(templateId, owner, StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR DialogObject::EndOnOkCancel(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDOK:
        EndDialog(dialog, 1);
        return 1;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return 1;
    default:
        return 0;
    }
}

INT_PTR CALLBACK DialogObject::StaticDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG && lParam != 0) {
        DialogObject* object = reinterpret_cast<DialogObject*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(object));
        object->hwnd = dialog;
    }
    DialogObject* object = reinterpret_cast<DialogObject*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (object == nullptr) {
        return 0;
    }
    return object->DialogProc(message, wParam, lParam);
}
