#include "view/DumpLine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Line(uint32_t offset, const std::vector<uint8_t>& bytes) {
    char out[DumpLineBufferSize + 8];
    std::fill(out, out + sizeof(out), '#');
    FormatDumpLine(offset, bytes.data(), static_cast<int>(bytes.size()), out);
    return out;
}

}  // namespace

TEST(RowRule, RowCountsAndLastRowBytes) {
    struct Case { int32_t size; int32_t rows; int lastRowBytes; };
    const Case cases[] = {{0, 1, 0}, {15, 1, 15}, {16, 2, 0}, {17, 2, 1}, {256, 17, 0}, {261, 17, 5}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.rows, RowCountOf(c.size)) << c.size;
        EXPECT_EQ(c.lastRowBytes, BytesInRow(c.rows - 1, c.rows, c.size)) << c.size;
        if (c.rows > 1) {
            EXPECT_EQ(16, BytesInRow(0, c.rows, c.size)) << c.size;
        }
    }
}

TEST(FormatDumpLine, FullPartialAndEmptyRows) {
    std::vector<uint8_t> hello = {0x48, 0x65, 0x6C, 0x6C, 0x6F, 0x00, 0x20, 0x7E, 0x7F, 0x80, 0xFF, 0x1F,
                                  0x41, 0x42, 0x43, 0x44};
    std::string full = Line(0x10, hello);
    EXPECT_EQ(74u, full.size());
    EXPECT_EQ("00000010  48 65 6C 6C 6F 00 20 7E 7F 80 FF 1F 41 42 43 44 Hello. ~....ABCD", full);

    std::string partial = Line(0x20, {0x61, 0x62, 0x63});
    EXPECT_EQ(61u, partial.size());
    EXPECT_EQ("00000020  61 62 63" + std::string(57 - 18, ' ') + " abc", partial);

    EXPECT_EQ(std::string(58, ' '), Line(0x30, {}));
    EXPECT_EQ("0000FFF0", Line(0xFFF0, {1}).substr(0, 8));
    EXPECT_EQ("FFFFFFF0", Line(0xFFFFFFF0u, {1}).substr(0, 8));
}

TEST(FormatDumpLine, CharacterColumnShowsOnlyPrintableAscii) {
    for (int value = 0; value < 256; ++value) {
        std::string line = Line(0, {static_cast<uint8_t>(value)});
        char expected = (value >= 0x20 && value <= 0x7E) ? static_cast<char>(value) : '.';
        EXPECT_EQ(expected, line[58]) << value;
    }
}

TEST(ByteAtColumn, MapsHexAndTextAreas) {
    struct Case { int column; DumpArea area; int index; };
    const Case cases[] = {
        {0, DumpArea::None, 0}, {9, DumpArea::None, 0}, {10, DumpArea::Hex, 0}, {11, DumpArea::Hex, 0},
        {12, DumpArea::Hex, 1}, {13, DumpArea::Hex, 1}, {14, DumpArea::Hex, 1}, {56, DumpArea::Hex, 15},
        {57, DumpArea::None, 0}, {58, DumpArea::Text, 0}, {73, DumpArea::Text, 15}, {74, DumpArea::None, 0},
        {-1, DumpArea::None, 0},
    };
    for (const Case& c : cases) {
        ColumnHit hit = ByteAtColumn(c.column);
        EXPECT_EQ(c.area, hit.area) << c.column;
        if (c.area != DumpArea::None) {
            EXPECT_EQ(c.index, hit.index) << c.column;
        }
    }
}

TEST(HitTestDump, MapsPixelsToBytesOfTheDocument) {
    struct Case { uint32_t x, y; int32_t topRow, fileSize; DumpArea area; int32_t position; };
    const Case cases[] = {
        {80, 0, 0, 100, DumpArea::Hex, 0},          // column 10
        {8 * 58, 16, 0, 100, DumpArea::Text, 16},   // row 1, first character
        {8 * 13, 32, 2, 100, DumpArea::Hex, 65},    // row 4, byte 1
        {8 * 16, 96, 0, 100, DumpArea::Hex, 98},    // row 6, byte 2
        {8 * 22, 96, 0, 100, DumpArea::None, 0},    // beyond the short last row
        {8 * 10, 16 * 40, 0, 100, DumpArea::None, 0},  // below the last row
        {8 * 57, 0, 0, 100, DumpArea::None, 0},
        {0x1FFFF, 0, 0, 100, DumpArea::None, 0},    // only the low 16 bits count
    };
    for (const Case& c : cases) {
        DumpHit hit = HitTestDump(c.x, c.y, 8, 16, c.topRow, c.fileSize);
        EXPECT_EQ(c.area, hit.area) << c.x << "," << c.y;
        if (c.area != DumpArea::None) {
            EXPECT_EQ(c.position, hit.position) << c.x << "," << c.y;
        }
    }
    EXPECT_EQ(DumpArea::None, HitTestDump(80, 0, 0, 16, 0, 100).area);
    EXPECT_EQ(DumpArea::None, HitTestDump(80, 0, 8, 0, 0, 100).area);
    EXPECT_EQ(DumpArea::None, HitTestDump(80, 0, -8, 16, 0, 100).area);
    EXPECT_EQ(DumpArea::None, HitTestDump(80, 0xFFFF, 8, 1, 0x7FFFFFF0, 0x7FFFFFFF).area);
    EXPECT_EQ(DumpArea::None, HitTestDump(80, 0xFFFF, 8, 1, INT32_MAX, INT32_MAX).area);
    EXPECT_EQ(DumpArea::None, HitTestDump(80, 0, 8, 16, -1, 100).area);
    EXPECT_EQ(DumpArea::None, HitTestDump(80, 0, 8, 16, 0, 0).area);  // empty document
}

TEST(HitTestDump, ExactAtTheLargestDocument) {
    // Row 0x7FFFFFF holds positions 0x7FFFFFF0..0x7FFFFFFF; the last is beyond a file of
    // 0x7FFFFFFF bytes.
    DumpHit hit = HitTestDump(8 * 55, 0, 8, 16, 0x7FFFFFF, 0x7FFFFFFF);  // column 55: byte 15
    EXPECT_EQ(DumpArea::None, hit.area);
    hit = HitTestDump(8 * 71, 0, 8, 16, 0x7FFFFFF, 0x7FFFFFFF);  // column 71: byte 13
    EXPECT_EQ(DumpArea::Text, hit.area);
    EXPECT_EQ(0x7FFFFFFD, hit.position);
    hit = HitTestDump(7 * 52 + 6, 15 * 3 + 14, 7, 15, 10, 1000);  // column 52, view row 3
    EXPECT_EQ(DumpArea::Hex, hit.area);
    EXPECT_EQ(13 * 16 + 14, hit.position);
}

TEST(FormatDumpLine, CountOutsideARowIsClamped) {
    std::vector<uint8_t> bytes(40, 0x41);
    char out[DumpLineBufferSize + 8];
    FormatDumpLine(0, bytes.data(), 40, out);
    EXPECT_EQ(std::string("00000000  ") + "41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 " +
                  std::string(16, 'A'),
              std::string(out));
    FormatDumpLine(0, bytes.data(), -3, out);
    EXPECT_EQ(std::string(58, ' '), std::string(out));
}

TEST(FormatDumpLine, EveryRowOfADocument) {
    // A 261-byte document: 17 rows, 16 full ones and a last one with the bytes 256..260.
    std::vector<uint8_t> document(261);
    for (size_t i = 0; i < document.size(); ++i) {
        document[i] = static_cast<uint8_t>(i);
    }
    const int32_t rows = RowCountOf(261);
    ASSERT_EQ(17, rows);
    for (int32_t row = 0; row < rows; ++row) {
        int count = BytesInRow(row, rows, 261);
        char out[DumpLineBufferSize];
        FormatDumpLine(static_cast<uint32_t>(row * 16), document.data() + row * 16, count, out);
        EXPECT_EQ(static_cast<size_t>(58 + count), strlen(out)) << row;
        char offset[9] = {};
        snprintf(offset, sizeof offset, "%08X", static_cast<unsigned>(row * 16));
        EXPECT_EQ(std::string(offset), std::string(out, 8)) << row;
    }
    char last[DumpLineBufferSize];
    FormatDumpLine(256, document.data() + 256, 5, last);
    EXPECT_EQ("00000100  00 01 02 03 04" + std::string(57 - 24, ' ') + " .....", std::string(last));
}
