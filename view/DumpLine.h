#pragma once
// One display row of the dump and the reverse mapping from a column or a click to a byte.
// Plain arithmetic: no window system involved.

#include <cstdint>

const int BytesPerRow = 16;
const int DumpLineLength = 74;     // a full row, without the terminator
const int DumpLineBufferSize = 75;
const int HexAreaColumn = 10;      // first hex pair
const int TextAreaColumn = 58;     // first character

enum class DumpArea { None, Hex, Text };

struct DumpHit {
    DumpArea area;
    int32_t position;   // meaningful only when area is not None
};

struct ColumnHit {
    DumpArea area;
    int index;          // byte within the row, 0..15
};

// Rows of a document of fileSize bytes: fileSize / 16 + 1 (the last may be empty).
int32_t RowCountOf(int32_t fileSize);
// Bytes shown in row `row` of a document with rowCount rows and fileSize bytes.
int BytesInRow(int32_t row, int32_t rowCount, int32_t fileSize);
// Fills out (at least DumpLineBufferSize bytes) with the row; reads exactly count bytes
// (count is clamped to 0..16).
void FormatDumpLine(uint32_t offset, const uint8_t* bytes, int count, char* out);
ColumnHit ByteAtColumn(int column);
// Maps client pixel coordinates (16-bit unsigned) to the byte shown there.
DumpHit HitTestDump(uint32_t x, uint32_t y, int32_t charWidth, int32_t lineHeight,
                    int32_t topRow, int32_t fileSize);
