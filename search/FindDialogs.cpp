#include "search/FindDialogs.h"

#include "app/Globals.h"
#include "framework/CenterWindow.h"
#include "search/DialogIds.h"

FindRequest findRequest;

namespace {

const int SearchTextLimit = SearchTextSize - 1;

// OK reads the field; both buttons end the dialog. Other commands are not handled.
INT_PTR EndOnButton(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDOK:
        GetDlgItemTextA(dialog, IDC_EDIT_FIELD, findRequest.text, SearchTextSize);
        EndDialog(dialog, 1);
        return 1;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return 1;
    default:
        return 0;
    }
}

}  // namespace

INT_PTR CALLBACK FindTextDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(dialog, IDC_EDIT_FIELD, EM_LIMITTEXT, SearchTextLimit, 0);
        SetDlgItemTextA(dialog, IDC_EDIT_FIELD, findRequest.text);
        SendDlgItemMessageA(dialog, IDC_EDIT_FIELD, EM_SETSEL, 0, -1);
        CheckDlgButton(dialog, IDC_CASE_SENSITIVE, findRequest.caseSensitive ? BST_CHECKED : BST_UNCHECKED);
        CenterWindow(dialog);
        return 1;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            findRequest.caseSensitive = IsDlgButtonChecked(dialog, IDC_CASE_SENSITIVE) == BST_CHECKED ? 1 : 0;
        }
        return EndOnButton(dialog, wParam);
    default:
        return 0;
    }
}

INT_PTR CALLBACK FindHexDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(dialog, IDC_EDIT_FIELD, EM_LIMITTEXT, SearchTextLimit, 0);
        hexBytesEdit.Attach(dialog);
        SetWindowTextA(hexBytesEdit.hwnd, findRequest.text);
        hexBytesEdit.SelectText(0, -1, 0);
        CenterWindow(dialog);
        return 1;
    case WM_COMMAND:
        return EndOnButton(dialog, wParam);
    default:
        return 0;
    }
}
