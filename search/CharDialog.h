#pragma once
#include "framework/DialogObject.h"

#include <cstdint>

// The byte-as-character dialog.
class CharDialog : public DialogObject {
public:
    CharDialog();
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Offset of the byte being edited, for the caption.
    uint32_t address;
};
