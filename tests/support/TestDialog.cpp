#include "tests/support/TestDialog.h"

#include "framework/AppInstance.h"

TestDialog::TestDialog() : endValue(IDOK) {
}

INT_PTR TestDialog::Run(int templateId, HWND owner) {
    if (appInstance == nullptr) {
        appInstance = GetModuleHandleA(nullptr);
    }
    return DialogObject::Run(owner, templateId);
}

INT_PTR TestDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    seen.push_back({message, hwnd, GetWindowLongPtrA(hwnd, DWLP_USER), lParam});
    switch (message) {
    case WM_INITDIALOG:
        if (onInit) {
            onInit(hwnd);
        }
        PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            EndDialog(hwnd, endValue);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}
