#pragma once
// Converting between the Find hex field's text and pattern bytes, free of the window system.

#include <cstdint>

const int MaxPatternBytes = 21;
// Pairs the Find hex field can show: 3 x 7 - 1 = 20 characters fit its 21-character limit.
const int MaxShownPatternBytes = 7;

// Reads tokens from text, each giving the low 8 bits of its hex value, into out (room for
// MaxPatternBytes). Returns the number of bytes; tokens beyond MaxPatternBytes are ignored.
int HexTextToBytes(const char* text, uint8_t* out);
// The bytes as upper-case pairs separated by one blank; out needs 3 x count bytes (at least 1).
void BytesToHexText(const uint8_t* bytes, int count, char* out);
