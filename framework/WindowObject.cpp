#include "framework/WindowObject.h"

WindowObject::WindowObject() : hwnd(nullptr), style(0), exStyle(0) {
}

int WindowObject::Create(HWND, HMENU, const char*, int, int, int, int) {
    MessageBoxA(nullptr, "Missing Create", "App Error", MB_ICONEXCLAMATION);
    return 0;
}
