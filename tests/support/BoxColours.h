#pragma once
#include <windows.h>

// The colours the main window gives its message and About boxes.
const COLORREF BoxTextColour = 0x000000;
const COLORREF BoxFaceColour = 0xC0C0C0;
const COLORREF BoxShadowColour = 0x808080;
