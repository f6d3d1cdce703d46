#include "app/FontSpec.h"

#include <cstring>

namespace {
const int PointsPerInch = 72;
}

FontSpec::FontSpec() : aveCharWidth(0), lineHeight(0), font(nullptr), colour(0) {
    memset(&logFont, 0, sizeof logFont);
}

FontSpec::~FontSpec() {
    Release();
}

void FontSpec::Release() {
    if (font != nullptr) {
        DeleteObject(font);
        font = nullptr;
    }
}

int FontSpec::Create(HDC dc, const char* faceName, int points, int dpi) {
    Release();
    if (faceName != nullptr && faceName[0] != '\0') {
        lstrcpynA(logFont.lfFaceName, faceName, LF_FACESIZE);
    }
    logFont.lfHeight = -MulDiv(points, dpi, PointsPerInch);
    font = CreateFontIndirectA(&logFont);
    TEXTMETRICA metrics;
    if (GetTextMetricsA(dc, &metrics)) {
        aveCharWidth = metrics.tmAveCharWidth;
        lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    }
    return font != nullptr ? 1 : 0;
}

HGDIOBJ FontSpec::Select(HDC dc) const {
    SetTextColor(dc, colour);
    return SelectObject(dc, font);
}
