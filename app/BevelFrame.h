#pragma once
#include <windows.h>

// A one-pixel sunken frame: shadow along the top and left, highlight along the right and
// bottom. A width of -1 means there is no frame.
class BevelFrame {
public:
    BevelFrame();
    void Set(int left, int top, int frameWidth, int frameHeight);
    void Draw(HDC dc) const;

    COLORREF highlight;
    COLORREF shadow;
    int x;
    int y;
    int width;
    int height;
};
