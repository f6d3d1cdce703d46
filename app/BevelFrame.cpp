#include "app/BevelFrame.h"

#include "framework/GdiObject.h"
#include "framework/Painting.h"

namespace {
const int NoFrame = -1;
const int ClassicLineWidth = 1;
}

BevelFrame::BevelFrame()
    : highlight(GetSysColor(COLOR_BTNHIGHLIGHT)), shadow(GetSysColor(COLOR_BTNSHADOW)), x(0), y(0),
      width(NoFrame), height(0), lineWidth(ClassicLineWidth) {}

void BevelFrame::Set(int left, int top, int frameWidth, int frameHeight, const DisplayScale& scale) {
    lineWidth = scale.Scale(ClassicLineWidth);
    x = left;
    y = top;
    width = frameWidth;
    height = frameHeight;
}

void BevelFrame::Draw(HDC dc) const {
    if (width == NoFrame) {
        return;
    }
    GdiObject shadowPen(CreatePen(PS_SOLID, lineWidth, shadow));
    GdiObject highlightPen(CreatePen(PS_SOLID, lineWidth, highlight));
    if (shadowPen.Get() != nullptr && highlightPen.Get() != nullptr) {
        RECT corners = {x, y, x + width - 1, y + height - 1};
        DrawBevel(dc, corners, shadowPen.Get(), highlightPen.Get());
    }
}
