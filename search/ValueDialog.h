#pragma once
#include "framework/DialogObject.h"

#include <cstdint>

// True for 0..255.
bool IsByteValue(uint32_t value);
// Sets "Address:  " and the offset as 8 lower-case hex digits as the window's text.
void SetAddressCaption(HWND window, uint32_t address);
// Reads a value field: hex (first token) or decimal. Values that wrapped past 32 bits read as
// out of range, so they can never pass for a byte.
uint32_t ReadFieldValue(const char* text, int hexMode);

// The byte-value dialog: a number 0..255 typed in hex or decimal.
class ValueDialog : public DialogObject {
public:
    ValueDialog();
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int hexMode;
    uint32_t address;
};
