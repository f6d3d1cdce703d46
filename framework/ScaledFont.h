#pragma once
#include <windows.h>

#include "framework/DisplayScale.h"

// The font one kind of the program's text is drawn in at a display scale. At 96 DPI it is the
// stock font that text has always been drawn in, so every window there stays pixel for pixel what
// it was. At any other scale, where Windows would keep a raster stock font as it is, it is a
// TrueType face made for that DPI with the stock font's 96-DPI cell scaled, so text takes the
// same share of a scaled window as at 96 DPI.
class ScaledFont {
public:
    enum Kind {
        FixedPitch,    // the dump, SYSTEM_FIXED_FONT at 96 DPI
        Proportional,  // the boxes, the busy popup and the status bar, SYSTEM_FONT at 96 DPI
    };

    explicit ScaledFont(Kind kind);
    ~ScaledFont();
    ScaledFont(const ScaledFont&) = delete;
    ScaledFont& operator=(const ScaledFont&) = delete;

    // The font for the scale, made when the scale differs from the last one asked for; the stock
    // font at 96 DPI and where no TrueType font can be made. A font made before stays alive for
    // one more change of scale: it may still be selected in a DC or set in a control until the
    // new one takes its place.
    HFONT ForScale(const DisplayScale& scale);

private:
    HFONT Make(const DisplayScale& scale) const;

    Kind kind_;
    int dpi_;
    HFONT font_;
    HFONT made_;
    HFONT retired_;
};
