#include "view/DumpLine.h"

#include "framework/TextUtil.h"

namespace {

const int HexAreaLastColumn = 56;
const int TextAreaLastColumn = 73;
const int FirstPrintable = 0x20;
const int LastPrintable = 0x7E;

}  // namespace

int32_t RowCountOf(int32_t fileSize) {
    return fileSize / BytesPerRow + 1;
}

int BytesInRow(int32_t row, int32_t rowCount, int32_t fileSize) {
    return row < rowCount - 1 ? BytesPerRow : fileSize % BytesPerRow;
}

void FormatDumpLine(uint32_t offset, const uint8_t* bytes, int count, char* out) {
    // A row holds 0 to 16 bytes; anything else would write past the caller's 75 bytes.
    if (count < 0) {
        count = 0;
    } else if (count > BytesPerRow) {
        count = BytesPerRow;
    }
    for (int column = 0; column < TextAreaColumn; ++column) {
        out[column] = ' ';
    }
    if (count >= 1) {
        DwordToHex(offset, out);
    }
    for (int i = 0; i < count; ++i) {
        ByteToHex(bytes[i], out + HexAreaColumn + 3 * i);
        signed char value = static_cast<signed char>(bytes[i]);
        out[TextAreaColumn + i] = (value >= FirstPrintable && value <= LastPrintable) ? static_cast<char>(value) : '.';
    }
    out[TextAreaColumn + count] = '\0';
}

ColumnHit ByteAtColumn(int column) {
    if (column >= HexAreaColumn && column <= HexAreaLastColumn) {
        return {DumpArea::Hex, (column - 9) / 3};
    }
    if (column >= TextAreaColumn && column <= TextAreaLastColumn) {
        return {DumpArea::Text, column - TextAreaColumn};
    }
    return {DumpArea::None, 0};
}

DumpHit HitTestDump(uint32_t x, uint32_t y, int32_t charWidth, int32_t lineHeight, int32_t topRow,
                    int32_t fileSize) {
    DumpHit miss = {DumpArea::None, 0};
    if (charWidth <= 0 || lineHeight <= 0) {
        return miss;
    }
    ColumnHit column = ByteAtColumn(static_cast<int>((x & 0xFFFF) / static_cast<uint32_t>(charWidth)));
    if (column.area == DumpArea::None) {
        return miss;
    }
    int64_t row = static_cast<int64_t>(topRow) + (y & 0xFFFF) / static_cast<uint32_t>(lineHeight);
    int64_t position = row * BytesPerRow + column.index;
    if (position < 0 || position >= fileSize) {
        return miss;
    }
    return {column.area, static_cast<int32_t>(position)};
}
