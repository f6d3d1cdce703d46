#include "search/ValueDialog.h"

#include <cstring>

#include "framework/CenterWindow.h"
#include "search/DialogIds.h"
#include "search/SearchDialogs.h"
#include "search/ValueEdit.h"
#include "search/ValueText.h"
#include "view/HexView.h"

namespace {

const char AddressPrefix[] = "Address:  ";
const int CaptionSize = sizeof AddressPrefix + ValueTextSize;

uint32_t ReadValue(const char* text, int hexMode) {
    return hexMode ? ReadHexValue(text) : ReadDecimalValue(text);
}

}  // namespace

void SetAddressCaption(HWND window, uint32_t address) {
    char caption[CaptionSize] = "";
    char number[ValueTextSize];
    FormatOffset(address, number);
    strcpy(caption, AddressPrefix);
    strcat(caption, number);
    SetWindowTextA(window, caption);
}

ValueDialog::ValueDialog() : hexMode(0), address(0) {
}

INT_PTR ValueDialog::DialogProc(UINT message, WPARAM wParam, LPARAM) {
    ValueEdit* edit = searchDialogs.valueEdit;
    char text[ValueTextSize];
    if (message == WM_INITDIALOG) {
        edit->Attach(hwnd);
        SetAddressCaption(hwnd, address);
        FormatByteValue(searchDialogs.view->dialogByteValue, HexBase, text);
        SetWindowTextA(edit->hwnd, text);
        edit->SelectText(0, -1, 0);
        hexMode = 1;
        CheckRadioButton(hwnd, IDC_HEX_OPTION, IDC_DECIMAL_OPTION, IDC_HEX_OPTION);
        CenterWindow(hwnd);
        return 1;
    }
    if (message != WM_COMMAND) {
        return 0;
    }
    switch (LOWORD(wParam)) {
    case IDOK: {
        if (IsDlgButtonChecked(hwnd, IDC_DECIMAL_OPTION) == BST_CHECKED) {
            hexMode = 0;
        }
        GetDlgItemTextA(hwnd, IDC_EDIT_FIELD, text, ValueTextSize);
        uint32_t value = ReadValue(text, hexMode);
        if (!IsByteValue(value)) {
            return 0;
        }
        searchDialogs.view->dialogByteValue = value;
        return EndOnOkCancel(hwnd, wParam);
    }
    case IDCANCEL:
        return EndOnOkCancel(hwnd, wParam);
    case IDC_HEX_OPTION:
    case IDC_DECIMAL_OPTION:
        if (HIWORD(wParam) != BN_CLICKED) {
            return 0;
        }
        return SwitchBase(LOWORD(wParam) == IDC_HEX_OPTION ? 1 : 0);
    default:
        return 0;
    }
}

INT_PTR ValueDialog::SwitchBase(int toHex) {
    if (hexMode == toHex) {
        return 0;
    }
    ValueEdit* edit = searchDialogs.valueEdit;
    char text[ValueTextSize];
    GetDlgItemTextA(hwnd, IDC_EDIT_FIELD, text, ValueTextSize);
    uint32_t value = ReadValue(text, hexMode);
    hexMode = toHex;
    if (IsByteValue(value)) {
        FormatByteValue(value, toHex ? HexBase : DecimalBase, text);
    } else if (toHex) {
        strcpy(text, "0");
    } else {
        text[0] = '\0';
    }
    SetWindowTextA(edit->hwnd, text);
    SetFocus(edit->hwnd);
    edit->SelectText(0, -1, 0);
    return 0;
}
