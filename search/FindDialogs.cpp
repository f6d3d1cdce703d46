#include "search/FindDialogs.h"

#include "framework/CenterWindow.h"
#include "framework/DialogObject.h"
#include "search/DialogIds.h"
#include "search/HexBytesEdit.h"
#include "search/SearchDialogs.h"

FindRequest findRequest;

namespace {

const int SearchTextLimit = SearchTextSize - 1;

// OK reads the field; both buttons end the dialog. Other commands are not handled.
INT_PTR EndOnButton(HWND dialog, WPARAM wParam) {
    if (LOWORD(wParam) == IDOK) {
        GetDlgItemTextA(dialog, IDC_EDIT_FIELD, findRequest.text, SearchTextSize);
    }
    return DialogObject::EndOnOkCancel(dialog, wParam);
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
        searchDialogs.hexBytesEdit->Attach(dialog);
        SetWindowTextA(searchDialogs.hexBytesEdit->hwnd, findRequest.text);
        searchDialogs.hexBytesEdit->SelectText(0, -1, 0);
        CenterWindow(dialog);
        return 1;
    case WM_COMMAND:
        return EndOnButton(dialog, wParam);
    default:
        return 0;
    }
}
