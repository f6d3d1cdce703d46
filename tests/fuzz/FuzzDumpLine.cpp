// Formats every row of an arbitrary document and maps every column back, checking that the
// line is always exactly as long as its byte count allows and the mapping stays in the row.
#include "view/DumpLine.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t fileSize = static_cast<int32_t>(size);
    int32_t rows = RowCountOf(fileSize);
    for (int32_t row = 0; row < rows; ++row) {
        int count = BytesInRow(row, rows, fileSize);
        char line[DumpLineBufferSize];
        FormatDumpLine(static_cast<uint32_t>(row * BytesPerRow), data + row * BytesPerRow, count, line);
        if (strlen(line) != static_cast<size_t>(TextAreaColumn + count)) {
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
