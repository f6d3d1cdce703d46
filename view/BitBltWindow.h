#pragma once
#include "framework/Window.h"

// A child window that renders into a screen-sized back buffer and copies it to the window,
// so redraws never flicker and uncovering the window costs one block transfer.
class BitBltWindow : public Window {
public:
    BitBltWindow();
    int Create(HWND parent, HMENU menuOrId, const char* text, int x, int y, int width, int height) override;
    int RegisterWindowClass() override;
    int OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;

    void ClearBackBuffer();
    COLORREF SetBackgroundColor(COLORREF colour);
    void BlitToWindow();
    void SetClientSize(LPARAM size);

    HBITMAP backBitmap;
    HDC memoryDC;
    HBRUSH backgroundBrush;
    COLORREF backgroundColor;
    int clientWidth;
    int clientHeight;
    int savedDCState;
};
