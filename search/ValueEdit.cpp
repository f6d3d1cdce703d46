#include "search/ValueEdit.h"

#include "search/DialogIds.h"
#include "search/SearchDialogs.h"
#include "search/ValueDialog.h"

namespace {

const WPARAM Backspace = 8;

bool IsDigit(WPARAM ch) {
    return ch >= '0' && ch <= '9';
}

}  // namespace

LRESULT ValueEdit::SubclassProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR && wParam != Backspace) {
        WPARAM ch = wParam;
        bool accepted = IsDigit(ch);
        if (searchDialogs.valueDialog->hexMode) {
            if (ch >= 'a' && ch <= 'f') {
                ch = ch - 'a' + 'A';
            }
            accepted = accepted || (ch >= 'A' && ch <= 'F');
        }
        if (!accepted) {
            MessageBeep(MB_ICONEXCLAMATION);
            return 0;
        }
        return CallWindowProcA(editClassProc, hwnd, message, ch, lParam);
    }
    return CallWindowProcA(editClassProc, hwnd, message, wParam, lParam);
}

void ValueEdit::Attach(HWND dialog) {
    Create(dialog, reinterpret_cast<HMENU>(IDC_EDIT_FIELD), "", CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
           CW_USEDEFAULT);
    Subclass(nullptr);
}
