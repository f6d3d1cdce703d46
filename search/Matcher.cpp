#include "search/Matcher.h"

#include "view/DumpLine.h"

int64_t FindPattern(const uint8_t* document, uint32_t start, uint32_t lastStart, const uint8_t* pattern,
                    uint32_t patternLength, bool fold) {
    if (patternLength == 0 || start > lastStart) {
        return NoMatch;
    }
    for (uint64_t p = start; p <= lastStart; ++p) {
        const uint8_t* candidate = document + p;
        uint32_t i = 0;
        if (fold) {
            while (i < patternLength && FoldByte(candidate[i]) == pattern[i]) {
                ++i;
            }
        } else {
            while (i < patternLength && candidate[i] == pattern[i]) {
                ++i;
            }
        }
        if (i == patternLength) {
            return static_cast<int64_t>(p);
        }
    }
    return NoMatch;
}

int32_t MatchTopRow(int32_t offset, int32_t topRow, int32_t pageRows) {
    const int64_t rowBytes = BytesPerRow;
    if (pageRows <= 0) {
        int32_t matchRow = offset / static_cast<int32_t>(rowBytes);
        return matchRow > topRow ? matchRow : topRow;
    }
    int64_t pageBytes = pageRows * rowBytes;
    int64_t beyond = static_cast<int64_t>(offset) - (static_cast<int64_t>(topRow) + pageRows) * rowBytes;
    if (beyond <= 0) {
        return topRow;
    }
    int64_t pages = (beyond + pageBytes - 1) / pageBytes;
    return static_cast<int32_t>(topRow + pages * pageRows);
}
