#pragma once
#include "framework/EditControl.h"

// The Find hex field: hex digits and blanks only, with a blank after every typed pair.
class HexBytesEdit : public EditControl {
public:
    HexBytesEdit();
    LRESULT SubclassProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Attach(HWND dialog);

    int typedCount;
};
