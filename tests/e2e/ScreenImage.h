#pragma once
#include <windows.h>

#include <vector>

// What the screen shows over one window, copied once so that many pixels can be examined
// without a round trip to the display for each.
class ScreenImage {
public:
    static ScreenImage OfClientArea(HWND window);
    static ScreenImage OfWindow(HWND window);

    int Width() const { return width; }
    int Height() const { return height; }
    COLORREF Pixel(int x, int y) const;
    bool operator==(const ScreenImage& other) const {
        return width == other.width && height == other.height && pixels == other.pixels;
    }

private:
    static ScreenImage Capture(const RECT& screenRect);

    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
};
