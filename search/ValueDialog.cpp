#include "search/ValueDialog.h"

#include <cstring>

#include "app/Globals.h"
#include "framework/CenterWindow.h"
#include "framework/TextUtil.h"
#include "search/DialogIds.h"

namespace {

const int FieldBufferSize = 20;
const uint32_t MaxByteValue = 255;
const uint32_t OutOfRange = 0xFFFFFFFF;
const int MaxHexDigits = 8;

// Text of a byte value in the given base; hex gets a leading zero below 0x10.
void FormatValue(uint32_t value, int base, char* text) {
    NumberToText(static_cast<int32_t>(value), text, base);
    if (base == 16 && strlen(text) <= 1) {
        PrependChar(text, '0');
    }
}

uint32_t ReadHex(const char* text) {
    const char* p = text;
    while (*p != '\0' && !IsHexDigit(*p)) {
        ++p;
    }
    while (*p == '0') {
        ++p;
    }
    int significant = 0;
    while (IsHexDigit(p[significant])) {
        ++significant;
    }
    if (significant > MaxHexDigits) {
        return OutOfRange;
    }
    uint32_t value = 0;
    ParseHexToken(text, &value);
    return value;
}

uint32_t ReadDecimal(const char* text) {
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    uint64_t value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + static_cast<uint64_t>(*p - '0');
        if (value > OutOfRange) {
            return OutOfRange;
        }
        ++p;
    }
    if (negative && value != 0) {
        return OutOfRange;
    }
    return static_cast<uint32_t>(value);
}

}  // namespace

bool IsByteValue(uint32_t value) {
    return value <= MaxByteValue;
}

void SetAddressCaption(HWND window, uint32_t address) {
    char caption[40] = "Address:  ";
    char number[FieldBufferSize];
    NumberToText(static_cast<int32_t>(address), number, 16);
    while (strlen(number) < 8) {
        PrependChar(number, '0');
    }
    strcat(caption, number);
    SetWindowTextA(window, caption);
}

uint32_t ReadFieldValue(const char* text, int hexMode) {
    return hexMode ? ReadHex(text) : ReadDecimal(text);
}

ValueDialog::ValueDialog() : hexMode(0), address(0) {
}

INT_PTR ValueDialog::DialogProc(UINT message, WPARAM wParam, LPARAM) {
    char text[FieldBufferSize];
    switch (message) {
    case WM_INITDIALOG:
        valueEdit.Attach(hwnd);
        SetAddressCaption(hwnd, address);
        FormatValue(hexView.dialogByteValue, 16, text);
        SetWindowTextA(valueEdit.hwnd, text);
        valueEdit.SelectText(0, -1, 0);
        hexMode = 1;
        CheckRadioButton(hwnd, IDC_HEX_OPTION, IDC_DECIMAL_OPTION, IDC_HEX_OPTION);
        CenterWindow(hwnd);
        return 1;
    case WM_COMMAND:
        break;
    default:
        return 0;
    }
    switch (LOWORD(wParam)) {
    case IDOK: {
        if (IsDlgButtonChecked(hwnd, IDC_DECIMAL_OPTION) == BST_CHECKED) {
            hexMode = 0;
        }
        GetDlgItemTextA(hwnd, IDC_EDIT_FIELD, text, FieldBufferSize);
        uint32_t value = ReadFieldValue(text, hexMode);
        if (!IsByteValue(value)) {
            return 0;
        }
        hexView.dialogByteValue = value;
        EndDialog(hwnd, 1);
        return 1;
    }
    case IDCANCEL:
        EndDialog(hwnd, 0);
        return 1;
    case IDC_HEX_OPTION:
    case IDC_DECIMAL_OPTION: {
        int wantHex = LOWORD(wParam) == IDC_HEX_OPTION ? 1 : 0;
        if (HIWORD(wParam) != BN_CLICKED || hexMode == wantHex) {
            return 0;
        }
        GetDlgItemTextA(hwnd, IDC_EDIT_FIELD, text, FieldBufferSize);
        uint32_t value = ReadFieldValue(text, hexMode);
        hexMode = wantHex;
        if (IsByteValue(value)) {
            FormatValue(value, wantHex ? 16 : 10, text);
        } else if (wantHex) {
            strcpy(text, "0");
        } else {
            text[0] = '\0';
        }
        SetWindowTextA(valueEdit.hwnd, text);
        SetFocus(valueEdit.hwnd);
        valueEdit.SelectText(0, -1, 0);
        return 0;
    }
    default:
        return 0;
    }
}
