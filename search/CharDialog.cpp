#include "search/CharDialog.h"

#include "framework/CenterWindow.h"
#include "search/DialogIds.h"
#include "search/SearchDialogs.h"
#include "search/ValueDialog.h"
#include "view/HexView.h"

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
        text[0] = static_cast<char>(searchDialogs.view->dialogCharValue);
        text[1] = '\0';
        SetDlgItemTextA(hwnd, IDC_EDIT_FIELD, text);
        SendDlgItemMessageA(hwnd, IDC_EDIT_FIELD, EM_SETSEL, 0, -1);
        CenterWindow(hwnd);
        return 1;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            GetDlgItemTextA(hwnd, IDC_EDIT_FIELD, text, FieldBufferSize);
            searchDialogs.view->dialogCharValue = static_cast<BYTE>(text[0]);
        }
        return EndOnOkCancel(hwnd, wParam);
    default:
        return 0;
    }
}
