#pragma once
#include "framework/EditControl.h"

// The byte-value field: only the digits of the dialog's current base get through.
class ValueEdit : public EditControl {
public:
    LRESULT SubclassProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Attach(HWND dialog);
};
