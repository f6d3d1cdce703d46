#pragma once
// The search as plainly as it can be written, to check the scan against: every start in turn,
// every byte, and a folding of its own. Shares no code with what it checks.

#include <cstdint>
#include <cstring>

namespace reference {

inline uint8_t Fold(uint8_t byte) {
    static const char upperLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    static const char lowerLetters[] = "abcdefghijklmnopqrstuvwxyz";
    const char* upper = byte != 0 ? strchr(upperLetters, byte) : nullptr;
    return upper != nullptr ? static_cast<uint8_t>(lowerLetters[upper - upperLetters]) : byte;
}

// The first start in [start, lastStart] where the pattern (already folded when fold is set)
// matches, or -1.
inline int64_t Find(const uint8_t* document, uint32_t start, uint32_t lastStart, const uint8_t* pattern,
                    uint32_t length, bool fold) {
    if (length == 0) {
        return -1;
    }
    for (uint64_t p = start; p <= lastStart; ++p) {
        bool equal = true;
        for (uint32_t i = 0; i < length && equal; ++i) {
            uint8_t byte = document[p + i];
            equal = (fold ? Fold(byte) : byte) == pattern[i];
        }
        if (equal) {
            return static_cast<int64_t>(p);
        }
    }
    return -1;
}

}  // namespace reference
