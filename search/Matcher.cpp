#include "search/Matcher.h"

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
