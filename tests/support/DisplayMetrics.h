#pragma once
// What the boxes measure their text with: the system font of an information context on the
// display.
struct DisplayMetrics {
    static DisplayMetrics Measure();
    static int TextWidth(const char* text);

    int aveCharWidth;
    int maxCharWidth;
    int lineHeight;  // the font's height plus its external leading
};
