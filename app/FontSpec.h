#pragma once
#include <windows.h>

// A created font with its colour and the metrics measured when it was made. The object owns
// the font handle: a new Create deletes the previous font first.
class FontSpec {
public:
    FontSpec();
    ~FontSpec();
    FontSpec(const FontSpec&) = delete;
    FontSpec& operator=(const FontSpec&) = delete;

    // Creates the font from logFont with faceName (kept when empty) at points for dpi, the DPI
    // of the window it is drawn in; returns 1 when the font exists afterwards.
    int Create(HDC dc, const char* faceName, int points, int dpi);
    // Sets the text colour and selects the font; returns the font that was selected before.
    HGDIOBJ Select(HDC dc) const;
    void Release();

    int aveCharWidth;
    int lineHeight;
    HFONT font;
    COLORREF colour;
    LOGFONTA logFont;
};
