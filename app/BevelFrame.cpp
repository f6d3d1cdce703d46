#include "app/BevelFrame.h"

namespace {
const int NoFrame = -1;
}

BevelFrame::BevelFrame()
    : highlight(GetSysColor(COLOR_BTNHIGHLIGHT)), shadow(GetSysColor(COLOR_BTNSHADOW)), x(0), y(0),
      width(NoFrame), height(0) {}

void BevelFrame::Set(int left, int top, int frameWidth, int frameHeight) {
    x = left;
    y = top;
    width = frameWidth;
    height = frameHeight;
}

void BevelFrame::Draw(HDC dc) const {
    if (width == NoFrame) {
        return;
    }
    HPEN shadowPen = CreatePen(PS_SOLID, 1, shadow);
    HPEN highlightPen = CreatePen(PS_SOLID, 1, highlight);
    if (shadowPen != nullptr && highlightPen != nullptr) {
        HGDIOBJ previousPen = SelectObject(dc, shadowPen);
        MoveToEx(dc, x, y + height - 1, nullptr);
        LineTo(dc, x, y);
        LineTo(dc, x + width - 1, y);
        SelectObject(dc, highlightPen);
        LineTo(dc, x + width - 1, y + height - 1);
        LineTo(dc, x, y + height - 1);
        SelectObject(dc, previousPen);
    }
    if (shadowPen != nullptr) {
        DeleteObject(shadowPen);
    }
    if (highlightPen != nullptr) {
        DeleteObject(highlightPen);
    }
}
