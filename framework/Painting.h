#pragma once
#include <windows.h>

// Drawing steps the program's popups share: the face fill, lines of text centred in a span and
// a one-pixel bevel, and the colours they are drawn in.

const COLORREF Black = RGB(0, 0, 0);
const COLORREF White = RGB(255, 255, 255);
const COLORREF LightGrey = RGB(192, 192, 192);
const COLORREF DarkGrey = RGB(128, 128, 128);

// Fills area with a solid brush of colour made for the call.
void FillFace(HDC dc, const RECT& area, COLORREF colour);

// Characters of the line that starts at line, up to its "\n" or the end.
int TextLineLength(const char* line);
// Start of the line after the one at line, or its terminator.
const char* NextTextLine(const char* line);

// Draws each "\n"-separated line of text centred between left and right, the first at top and
// each next one lineHeight lower; returns the y below the last line.
int DrawCentredLines(HDC dc, const char* text, int left, int right, int top, int lineHeight);

// Lines along the left and top edges with topLeftPen, along the right and bottom edges with
// bottomRightPen; corners holds the outermost pixels themselves, right and bottom included.
void DrawBevel(HDC dc, const RECT& corners, HGDIOBJ topLeftPen, HGDIOBJ bottomRightPen);
