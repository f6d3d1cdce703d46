#pragma once
#include "framework/DialogObject.h"

#include <cstdint>

// Sets "Address:  " and the offset as 8 lower-case hex digits as the window's text.
void SetAddressCaption(HWND window, uint32_t address);

// The byte-value dialog: a number 0..255 typed in hex or decimal.
class ValueDialog : public DialogObject {
public:
    ValueDialog();
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int hexMode;
    // Offset of the byte being edited, for the caption.
    uint32_t address;

private:
    // Converts the field when the user picks the other base; returns 0 as the dialog result.
    INT_PTR SwitchBase(int toHex);
};
