#include "framework/Painting.h"

#include "framework/GdiGuards.h"
#include "framework/GdiObject.h"

void FillFace(HDC dc, const RECT& area, COLORREF colour) {
    GdiObject face(CreateSolidBrush(colour));
    if (face.Get() != nullptr) {
        FillRect(dc, &area, static_cast<HBRUSH>(face.Get()));
    }
}

int TextLineLength(const char* line) {
    int length = 0;
    while (line[length] != '\0' && line[length] != '\n') {
        ++length;
    }
    return length;
}

const char* NextTextLine(const char* line) {
    line += TextLineLength(line);
    return *line == '\n' ? line + 1 : line;
}

int DrawCentredLines(HDC dc, const char* text, int left, int right, int top, int lineHeight) {
    int y = top;
    for (const char* line = text; *line != '\0'; line = NextTextLine(line)) {
        int length = TextLineLength(line);
        SIZE extent;
        if (GetTextExtentPoint32A(dc, line, length, &extent)) {
            TextOutA(dc, left + (right - left - extent.cx) / 2, y, line, length);
        }
        y += lineHeight;
    }
    return y;
}

void DrawBevel(HDC dc, const RECT& corners, HGDIOBJ topLeftPen, HGDIOBJ bottomRightPen) {
    SelectedObject pen(dc, topLeftPen);
    MoveToEx(dc, corners.left, corners.bottom, nullptr);
    LineTo(dc, corners.left, corners.top);
    LineTo(dc, corners.right, corners.top);
    SelectObject(dc, bottomRightPen);
    LineTo(dc, corners.right, corners.bottom);
    LineTo(dc, corners.left, corners.bottom);
}
