#pragma once
#include <windows.h>

#include "framework/DisplayScale.h"
#include "framework/ScaledFont.h"
#include "framework/Window.h"

// The "Loading..." popup shown over the view while a file is read. The read runs without a
// message loop, so the popup paints itself as soon as it is created.
class BusyPopup : public Window {
public:
    BusyPopup();

    // Returns 0 when the display font cannot be measured (nothing shown), else 1, also when
    // the window could not be created. text is not copied.
    int Show(HWND ownerWindow, const char* popupText);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int RegisterWindowClass() override;

    HWND owner;
    int aveCharWidth;
    int lineHeight;
    const char* text;
    COLORREF textColour;
    COLORREF backColour;
    RECT frameRect;
    // The owner's display scale when the popup opened, and the text font made for it.
    DisplayScale scale;
    ScaledFont textFont;

private:
    void Paint();
};
