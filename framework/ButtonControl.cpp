#include "framework/ButtonControl.h"

#include "framework/TextUtil.h"

ButtonControl::ButtonControl(int subclassOnCreate) : subclassOnCreate(subclassOnCreate), mnemonic(0) {
    style = WS_CHILD | WS_VISIBLE;
    exStyle = 0;
}

int ButtonControl::Create(HWND parent, HMENU menuOrId, const char* text, int x, int y, int width, int height) {
    int requested = static_cast<int>(reinterpret_cast<INT_PTR>(menuOrId));
    if (requested == 0) {
        AllocateControlId();
    } else {
        id = requested;
    }
    const char* ampersand = FindChar(text, '&');
    mnemonic = ampersand != nullptr ? ampersand[1] : 0;
    int created = CreateControlWindow("BUTTON", parent, text, x, y, width, height);
    if (created && subclassOnCreate) {
        Subclass(nullptr);
    }
    return created;
}

int ButtonControl::OnNotifyCode(int code, LPARAM) {
    if (code == BN_CLICKED && callback != nullptr) {
        callback(callbackContext, id);
        return 1;
    }
    return 0;
}

WNDPROC ButtonControl::Subclass(WNDPROC procedure) {
    WNDPROC previous = SubclassWindow(hwnd, procedure != nullptr ? procedure : ControlSubclassProc);
    if (buttonClassProc == nullptr) {
        buttonClassProc = previous;
    }
    return previous;
}
