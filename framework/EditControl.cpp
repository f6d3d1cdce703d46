#include "framework/EditControl.h"

namespace {

const DWORD EditStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                        ES_AUTOHSCROLL | ES_NOHIDESEL;

}  // namespace

EditControl::EditControl() {
    style = EditStyle;
    exStyle = WS_EX_CLIENTEDGE;
}

int EditControl::Create(HWND parent, HMENU menuOrId, const char* text, int x, int y, int width, int height) {
    int requested = static_cast<int>(reinterpret_cast<INT_PTR>(menuOrId));
    if (requested == 0) {
        AllocateControlId();
    } else {
        id = requested;
    }
    int created = CreateControlWindow("EDIT", parent, text, x, y, width, height);
    SetWindowTextA(hwnd, text);
    return created;
}

int EditControl::OnNotifyCode(int code, LPARAM) {
    if (code == EN_KILLFOCUS && callback != nullptr) {
        callback(callbackContext, id);
        return 1;
    }
    return 0;
}

WNDPROC EditControl::Subclass(WNDPROC procedure) {
    WNDPROC previous = SubclassWindow(hwnd, procedure != nullptr ? procedure : ControlSubclassProc);
    if (editClassProc == nullptr) {
        editClassProc = previous;
    }
    return previous;
}

void EditControl::SelectText(int start, int end, int noScroll) {
    SendMessageA(hwnd, EM_SETSEL, start, end);
    if (noScroll == 0) {
        SendMessageA(hwnd, EM_SCROLLCARET, 0, 0);
    }
}
