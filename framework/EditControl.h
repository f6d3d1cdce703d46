#pragma once
#include "framework/Control.h"

class EditControl : public Control {
public:
    EditControl();
    int Create(HWND parent, HMENU menuOrId, const char* text, int x, int y, int width, int height) override;
    int OnNotifyCode(int code, LPARAM value) override;
    WNDPROC Subclass(WNDPROC procedure);
    void SelectText(int start, int end, int noScroll);
};
