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
    TakeId(menuOrId);
    int created = CreateControlWindow("EDIT", parent, text, x, y, width, height);
    SetWindowTextA(hwnd, text);
    return created;
}

int EditControl::OnNotifyCode(int code, LPARAM) {
    return NotifyCallback(code, EN_KILLFOCUS);
}

WNDPROC EditControl::Subclass(WNDPROC procedure) {
    return SubclassKeeping(procedure, &editClassProc);
}

void EditControl::SelectText(int start, int end, int noScroll) {
    SendMessageA(hwnd, EM_SETSEL, start, end);
    if (noScroll == 0) {
        SendMessageA(hwnd, EM_SCROLLCARET, 0, 0);
    }
}
