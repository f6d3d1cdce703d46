#pragma once
// The search scan over a byte array, free of the window system.

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
