#include "search/HexBytesEdit.h"

#include "search/DialogIds.h"

namespace {

const WPARAM Backspace = 8;
const WPARAM Blank = ' ';

}  // namespace

HexBytesEdit::HexBytesEdit() : typedCount(0) {
}

LRESULT HexBytesEdit::SubclassProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CHAR) {
        return CallWindowProcA(editClassProc, hwnd, message, wParam, lParam);
    }
    WPARAM ch = wParam;
    if (ch == Backspace) {
        if (typedCount > 0) {
            --typedCount;
        }
        return CallWindowProcA(editClassProc, hwnd, message, ch, lParam);
    }
    if (ch >= 'a' && ch <= 'f') {
        ch = ch - 'a' + 'A';
    }
    bool accepted = ch == Blank || (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F');
    if (!accepted) {
        MessageBeep(MB_ICONEXCLAMATION);
        return 0;
    }
    int before = typedCount;
    typedCount = before + 1;
    LRESULT result = CallWindowProcA(editClassProc, hwnd, message, ch, lParam);
    // Every second character of a pair is followed by a blank; the blank counts as typed.
    if (before >= 1 && (before - 1) % 3 == 0) {
        PostMessageA(hwnd, WM_CHAR, Blank, 0);
    }
    return result;
}

void HexBytesEdit::Attach(HWND dialog) {
    Create(dialog, reinterpret_cast<HMENU>(IDC_EDIT_FIELD), "", CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
           CW_USEDEFAULT);
    typedCount = 0;
    Subclass(nullptr);
}
