#pragma once
#include "framework/Control.h"

class ButtonControl : public Control {
public:
    explicit ButtonControl(int subclassOnCreate = 0);
    int Create(HWND parent, HMENU menuOrId, const char* text, int x, int y, int width, int height) override;
    int OnNotifyCode(int code, LPARAM value) override;
    WNDPROC Subclass(WNDPROC procedure);

    int subclassOnCreate;
    char mnemonic;
};
