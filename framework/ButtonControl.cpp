#include "framework/ButtonControl.h"

#include "framework/TextUtil.h"

ButtonControl::ButtonControl(int subclassOnCreate) : subclassOnCreate(subclassOnCreate), mnemonic(0) {
    style = WS_CHILD | WS_VISIBLE;
    exStyle = 0;
}

int ButtonControl::Create(HWND parent, HMENU menuOrId, const char* text, int x, int y, int width, int height) {
    TakeId(menuOrId);
    const char* ampersand = FindChar(text, '&');
    mnemonic = ampersand != nullptr ? ampersand[1] : 0;
    int created = CreateControlWindow("BUTTON", parent, text, x, y, width, height);
    if (created && subclassOnCreate) {
        Subclass(nullptr);
    }
    return created;
}

int ButtonControl::OnNotifyCode(int code, LPARAM) {
    return NotifyCallback(code, BN_CLICKED);
}

WNDPROC ButtonControl::Subclass(WNDPROC procedure) {
    return SubclassKeeping(procedure, &buttonClassProc);
}
