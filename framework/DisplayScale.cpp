#include "framework/DisplayScale.h"

namespace {

// Windows 10 1607 brought the per-window DPI; the program also runs on Vista, so it is looked up
// at run time.
typedef UINT(WINAPI* DpiForWindowFunction)(HWND window);

}  // namespace

DisplayScale DisplayScale::OfWindow(HWND window) {
    static const DpiForWindowFunction dpiForWindow = reinterpret_cast<DpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (window != nullptr && dpiForWindow != nullptr) {
        UINT dpi = dpiForWindow(window);
        if (dpi != 0) {
            return DisplayScale(static_cast<int>(dpi));
        }
    }
    return OfScreen();
}

DisplayScale DisplayScale::OfScreen() {
    HDC screen = GetDC(nullptr);
    int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : ClassicDpi;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return DisplayScale(dpi);
}
