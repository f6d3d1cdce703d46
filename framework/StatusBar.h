#pragma once
#include "framework/Control.h"

class StatusBar : public Control {
public:
    StatusBar();
    int InitParts(int count);
    void AddPart(int width, UINT styleBits);
    int CreateBar(HWND parentWindow);
    void OnParentSize(WPARAM wParam, LPARAM lParam);
    LRESULT SetPartText(int index, const char* text);
    int VisibleHeight();

    HWND parent;
    int partCapacity;
    int* partWidths;
    UINT* partStyles;
    int* partEdges;
    int partCount;
};
