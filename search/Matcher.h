#pragma once
// The search scan over a byte array and where the view goes for a match, free of the window
// system.

#include <cstdint>

// 'A'..'Z' become 'a'..'z'; every other value, 0x80..0xFF included, stays.
inline uint8_t FoldByte(uint8_t value) {
    return (value >= 'A' && value <= 'Z') ? static_cast<uint8_t>(value + 0x20) : value;
}

const int64_t NoMatch = -1;

// The lowest offset p in [start, lastStart] at which the patternLength bytes of pattern equal the
// document's bytes, folding each document byte when fold is set (the pattern must already be
// folded then); NoMatch when there is none. The caller guarantees lastStart + patternLength is
// within the document. Overlapping matches are found.
int64_t FindPattern(const uint8_t* document, uint32_t start, uint32_t lastStart, const uint8_t* pattern,
                    uint32_t patternLength, bool fold);

// The vector width a scan compares at a time: 16 bytes (SSE2) runs on every x86 processor the
// program runs on, 32 bytes needs AVX2 from the processor and the system. FindPattern takes the
// widest one there is; the results are the same whatever the width.
enum class ScanWidth { Bytes16, Bytes32 };
bool CanScan(ScanWidth width);
// FindPattern with the given width, which CanScan must allow.
int64_t FindPatternWith(ScanWidth width, const uint8_t* document, uint32_t start, uint32_t lastStart,
                        const uint8_t* pattern, uint32_t patternLength, bool fold);

// The top row that brings a match at offset into a view of pageRows rows now topped by topRow:
// topRow moved down in whole pages while the match lies beyond the first byte of the row just
// below the page. A view less than a row tall goes to the match's own row instead.
int32_t MatchTopRow(int32_t offset, int32_t topRow, int32_t pageRows);
