#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "framework/DialogObject.h"

// A bound dialog for tests. At WM_INITDIALOG it runs onInit (if set) with the dialog and then
// posts itself IDOK; IDOK ends it with endValue. Every message DialogProc sees is recorded with
// the dialog handle and the DWL_USER value at that moment. Run it with Run(templateId).
class TestDialog : public DialogObject {
public:
    struct Seen {
        UINT message;
        HWND dialog;
        LONG_PTR boundObject;
        LPARAM lParam;
    };

    TestDialog();
    INT_PTR Run(int templateId, HWND owner = nullptr);
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::function<void(HWND dialog)> onInit;
    INT_PTR endValue;
    std::vector<Seen> seen;
};
