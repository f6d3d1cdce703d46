#pragma once
// Reading and writing the numbers of the byte dialogs, free of the window system.

#include <cstdint>

// What a reader gives for a text whose value does not fit in 32 bits; never a byte value.
const uint32_t OutOfRange = 0xFFFFFFFF;
// Room for any text these routines write, terminator included.
const int ValueTextSize = 20;
// The bases a byte value is typed and shown in.
const int DecimalBase = 10;
const int HexBase = 16;

// True for 0..255.
bool IsByteValue(uint32_t value);
// The value of the text's first hex token, 0 when it holds no hex digit. A token of more than
// eight significant digits gives OutOfRange instead of its low 32 bits.
uint32_t ReadHexValue(const char* text);
// The decimal number at the start of the text as atol reads it (blanks, one sign, digits).
// Anything that cannot be a byte, a negative number or one too long for 32 bits included,
// gives OutOfRange instead of a wrapped value.
uint32_t ReadDecimalValue(const char* text);
// The value in base 16 (lower case, at least two digits) or base 10.
void FormatByteValue(uint32_t value, int base, char* text);
// The value as at least eight lower-case hex digits.
void FormatOffset(uint32_t value, char* text);
