// Formats every row of an arbitrary document and maps every column back, checking that each
// line reads exactly as its bytes and offset, laid out here with printf, and that the mapping
// stays in the row.
#include "view/DumpLine.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char FirstShown = ' ';
const char LastShown = '~';

// The offset, two blanks, "XX " per byte, blanks up to the text column, one character per byte.
std::string ReferenceLine(uint32_t offset, const uint8_t* bytes, int count) {
    char hex[9];
    std::string line;
    if (count > 0) {
        snprintf(hex, sizeof hex, "%08X", offset);
        line = std::string(hex, 8) + "  ";
    }
    for (int i = 0; i < count; ++i) {
        snprintf(hex, sizeof hex, "%02X ", bytes[i]);
        line += hex;
    }
    line.resize(TextAreaColumn, ' ');
    for (int i = 0; i < count; ++i) {
        line += (bytes[i] >= FirstShown && bytes[i] <= LastShown) ? static_cast<char>(bytes[i]) : '.';
    }
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t fileSize = static_cast<int32_t>(size);
    int32_t rows = RowCountOf(fileSize);
    for (int32_t row = 0; row < rows; ++row) {
        int count = BytesInRow(row, rows, fileSize);
        char line[DumpLineBufferSize];
        FormatDumpLine(static_cast<uint32_t>(row * BytesPerRow), data + row * BytesPerRow, count, line);
        if (strlen(line) != static_cast<size_t>(TextAreaColumn + count) ||
            ReferenceLine(static_cast<uint32_t>(row * BytesPerRow), data + row * BytesPerRow, count) != line) {
            abort();
        }
    }
    for (int column = -2; column < 80; ++column) {
        ColumnHit hit = ByteAtColumn(column);
        if (hit.area != DumpArea::None && (hit.index < 0 || hit.index >= BytesPerRow)) {
            abort();
        }
    }
    if (size >= 8) {
        uint16_t x, y;
        memcpy(&x, data, 2);
        memcpy(&y, data + 2, 2);
        DumpHit hit = HitTestDump(x, y, 1 + data[4] % 16, 1 + data[5] % 32, data[6], fileSize);
        if (hit.area != DumpArea::None && (hit.position < 0 || hit.position >= fileSize)) {
            abort();
        }
    }
    return 0;
}
