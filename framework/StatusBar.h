#pragma once
#include "framework/Control.h"
#include "framework/DisplayScale.h"
#include "framework/ScaledFont.h"

class StatusBar : public Control {
public:
    StatusBar();
    int InitParts(int count);
    void AddPart(int width, UINT styleBits);
    int CreateBar(HWND parentWindow);
    void OnParentSize(WPARAM wParam, LPARAM lParam);
    LRESULT SetPartText(int index, const char* text);
    int VisibleHeight();
    // Gives the bar the text font of the scale; at 96 DPI the status window's own.
    // The parent lays the bar out again afterwards.
    void SetScale(const DisplayScale& scale);

    HWND parent;
    int partCapacity;
    int* partWidths;
    UINT* partStyles;
    int* partEdges;
    int partCount;
    ScaledFont font;
};
