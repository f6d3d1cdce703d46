#pragma once
// Small routines on zero-terminated strings. They allocate nothing and keep no state; callers
// own every buffer. On single-byte text, character comparisons are signed 8-bit, so bytes
// 0x80..0xFF never fall into 'A'..'Z' or '0'..'9'.

#include <cstdint>

extern const char hexDigits[17];

// Writes value as text in base 10 (signed) or 16 (unsigned, lower-case); returns buffer.
// A 20-byte buffer is always enough.
char* NumberToText(int32_t value, char* buffer, int base);
// Inserts ch in front of text; the buffer needs room for the old length plus 2.
void PrependChar(char* text, char ch);
// Lower-cases 'A'..'Z' in place; returns text.
char* LowerAscii(char* text);
// Two upper-case hex digits of the low 8 bits; no terminator.
void ByteToHex(uint32_t value, char* out);
// Eight upper-case hex digits, most significant first; no terminator.
void DwordToHex(uint32_t value, char* out);
// Groups the first run of decimal digits with commas, in place; a run of more than 30 digits
// is left unchanged.
void InsertThousandsSeparators(char* text);
// The path routines work on UTF-16 paths, as the system keeps them; every unit is compared
// whole, so no character of any script is taken for a separator.
// Copies the part after the last '\\', ':' or '/' into out, at most size-1 units and never
// half of a surrogate pair.
void FileNameOfPath(const wchar_t* path, wchar_t* out, int size);
// Cuts the path at its extension's dot ('/' is not a separator here).
void RemoveExtension(wchar_t* path);
// The folder part of a path, "." when it names none; "C:" and a root keep their separator.
// folder needs room for the path.
void FolderOfPath(const wchar_t* path, wchar_t* folder);
// Cuts text into up to slots arguments in place; returns the count of non-empty ones.
int SplitCommandLine(wchar_t* text, wchar_t** args, int slots);
// First character whose signed value equals ch, or null; the terminator never matches.
const char* FindChar(const char* text, int ch);
// True for '0'..'9' and 'A'..'F' only.
bool IsHexDigit(char ch);
// Reads one hex token into value (wrapping at 32 bits); returns the next token or the
// terminator, or null when the text holds no hex digit.
const char* ParseHexToken(const char* text, uint32_t* value);
// Decimal text as the standard atol reads it (blanks, one sign, digits): the sign, the
// magnitude wrapped modulo 2^32, and whether the digits read so far ever passed limit.
struct DecimalReading {
    bool negative;
    uint32_t magnitude;
    bool beyond;
};
DecimalReading ReadDecimal(const char* text, uint32_t limit);
// Decimal text as the standard atol reads it, wrapping modulo 2^32 instead of overflowing.
int32_t DecimalToInt(const char* text);
