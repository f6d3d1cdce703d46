#pragma once
#include <windows.h>

// WM_DPICHANGED: Windows sends it to a top-level window moved to a monitor of another scale. The
// headers name it only for Windows 7 and later, and the program builds for Vista.
const UINT DpiChangedMessage = 0x02E0;

// The scale of a window's display. Every size the program states in pixels is stated for the
// classic 96 DPI and reaches the screen through Scale, with the DPI of the window's monitor.
class DisplayScale {
public:
    static const int ClassicDpi = 96;

    DisplayScale() : dpi(ClassicDpi) {}
    explicit DisplayScale(int dotsPerInch) : dpi(dotsPerInch > 0 ? dotsPerInch : ClassicDpi) {}

    // The DPI of the monitor the window is on, as Windows 10 reports it, or the screen's where
    // the system cannot tell one monitor from another.
    static DisplayScale OfWindow(HWND window);
    // The screen's DPI: the one every monitor had before Windows 8.1.
    static DisplayScale OfScreen();

    int Scale(int classicPixels) const { return MulDiv(classicPixels, dpi, ClassicDpi); }
    bool IsClassic() const { return dpi == ClassicDpi; }

    int dpi;
};
