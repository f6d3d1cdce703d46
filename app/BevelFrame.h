#pragma once
#include <windows.h>

#include "framework/DisplayScale.h"

// A sunken frame, one pixel wide at 96 DPI: shadow along the top and left, highlight along the right and
// bottom. A width of -1 means there is no frame.
class BevelFrame {
public:
    BevelFrame();
    void Set(int left, int top, int frameWidth, int frameHeight, const DisplayScale& scale);
    void Draw(HDC dc) const;

    COLORREF highlight;
    COLORREF shadow;
    int x;
    int y;
    int width;
    int height;
    int lineWidth;
};
