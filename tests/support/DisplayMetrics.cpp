#include "tests/support/DisplayMetrics.h"

#include <windows.h>

DisplayMetrics DisplayMetrics::Measure() {
    HDC info = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    TEXTMETRICA metrics;
    GetTextMetricsA(info, &metrics);
    DeleteDC(info);
    return {metrics.tmAveCharWidth, metrics.tmMaxCharWidth, metrics.tmHeight + metrics.tmExternalLeading};
}

int DisplayMetrics::TextWidth(const char* text) {
    HDC info = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(info, text, lstrlenA(text), &extent);
    DeleteDC(info);
    return extent.cx;
}
