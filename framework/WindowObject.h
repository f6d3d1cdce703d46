#pragma once
#include <windows.h>

// Root of the framework's windows, controls and dialogs: the object's window handle and the
// styles it is created with.
class WindowObject {
public:
    WindowObject();
    virtual ~WindowObject() = default;
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    // Every class whose objects are really created overrides this; the base reports the
    // missing override and returns 0.
    virtual int Create(HWND parent, HMENU menuOrId, const char* text, int x, int y, int width, int height);

    HWND hwnd;
    DWORD style;
    DWORD exStyle;
};
