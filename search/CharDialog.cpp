#include "search/CharDialog.h"

#include "app/Globals.h"
#include "framework/CenterWindow.h"
#include "search/DialogIds.h"
#include "search/ValueDialog.h"

namespace {

const int FieldBufferSize = 20;

}  // namespace

CharDialog::CharDialog() : address(0) {
}

INT_PTR CharDialog::DialogProc(UINT message, WPARAM wParam, LPARAM) {
    char text[FieldBufferSize];
    switch (message) {
    case WM_INITDIALOG:
        SetAddressCaption(hwnd, address);
        text[0] = static_cast<char>(hexView.dialogCharValue);
        text[1] = '\0';
        SetDlgItemTextA(hwnd, IDC_EDIT_FIELD, text);
        SendDlgItemMessageA(hwnd, IDC_EDIT_FIELD, EM_SETSEL, 0, -1);
        CenterWindow(hwnd);
        return 1;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            GetDlgItemTextA(hwnd, IDC_EDIT_FIELD, text, FieldBufferSize);
            hexView.dialogCharValue = static_cast<BYTE>(text[0]);
            EndDialog(hwnd, 1);
            return 1;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(hwnd, 0);
            return 1;
        }
        return 0;
    default:
        return 0;
    }
}
