#pragma once
#include "framework/Window.h"

// A child window that renders into a back buffer and copies it to the window, so redraws never
// flicker and uncovering the window costs one block transfer. The buffer starts screen-sized and
// grows whenever the client area outgrows it (a larger second monitor, a resolution raised).
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
    // Replaces the back buffer by a cleared one at least as large as the area and the screen
    // when the present one is smaller; keeps it otherwise, or when no larger one can be made.
    void CoverArea(int width, int height);

    HBITMAP backBitmap;
    HDC memoryDC;
    HBRUSH backgroundBrush;
    COLORREF backgroundColor;
    int clientWidth;
    int clientHeight;
    int savedDCState;
    int bufferWidth;
    int bufferHeight;
};
