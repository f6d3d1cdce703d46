#include "search/Matcher.h"

#include <emmintrin.h>

#include <cstddef>

#include "view/DumpLine.h"

namespace {

const uint32_t VectorBytes = 16;
const int FoldTableSize = 256;
const uint8_t CaseBit = 0x20;

struct FoldTable {
    uint8_t folded[FoldTableSize];
    FoldTable() : folded() {
        for (int value = 0; value < FoldTableSize; ++value) {
            folded[value] = FoldByte(static_cast<uint8_t>(value));
        }
    }
};

const FoldTable foldTable;

// Whether the pattern's bytes after the first equal the candidate's. The last byte goes first:
// on runs of one repeated value it is the byte that differs, so most candidates end at once.
bool RestMatches(const uint8_t* candidate, const uint8_t* pattern, uint32_t patternLength, bool fold) {
    uint32_t last = patternLength - 1;
    if (fold) {
        if (foldTable.folded[candidate[last]] != pattern[last]) {
            return false;
        }
        for (uint32_t i = 1; i < last; ++i) {
            if (foldTable.folded[candidate[i]] != pattern[i]) {
                return false;
            }
        }
        return true;
    }
    if (candidate[last] != pattern[last]) {
        return false;
    }
    for (uint32_t i = 1; i < last; ++i) {
        if (candidate[i] != pattern[i]) {
            return false;
        }
    }
    return true;
}

// The byte values a document byte may have to match the pattern byte value: itself, and its
// upper-case form when folding. Returns false when no document byte can match.
bool MatchingValues(uint8_t value, bool fold, uint8_t* same, uint8_t* other) {
    *same = value;
    *other = value;
    if (!fold) {
        return true;
    }
    // No document byte folds to an upper-case letter, so such a pattern can never match.
    if (value >= 'A' && value <= 'Z') {
        return false;
    }
    if (value >= 'a' && value <= 'z') {
        *other = static_cast<uint8_t>(value & ~CaseBit);
    }
    return true;
}

// Which of the sixteen starts at cursor have the pattern's first byte and, for a longer pattern,
// its last byte too, as the low 16 bits. The first byte alone still leaves a start in every few
// blocks of ordinary text; requiring the last byte too leaves few enough that the scan runs at
// close to load speed. The choices are template arguments so the loop carries no tests of them.
template <bool Fold, bool HasTail>
struct BlockFilter {
    __m128i first;
    __m128i firstOther;
    __m128i last;
    __m128i lastOther;
    uint32_t lastIndex;

    unsigned Mask(const uint8_t* cursor) const {
        __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cursor));
        __m128i hits = _mm_cmpeq_epi8(heads, first);
        if (Fold) {
            hits = _mm_or_si128(hits, _mm_cmpeq_epi8(heads, firstOther));
        }
        if (HasTail) {
            __m128i tails = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cursor + lastIndex));
            __m128i tailHits = _mm_cmpeq_epi8(tails, last);
            if (Fold) {
                tailHits = _mm_or_si128(tailHits, _mm_cmpeq_epi8(tails, lastOther));
            }
            hits = _mm_and_si128(hits, tailHits);
        }
        return static_cast<unsigned>(_mm_movemask_epi8(hits));
    }
};

// The first start among the set bits of mask (bit i is cursor + i) at which the pattern matches.
const uint8_t* FirstMatchIn(unsigned mask, const uint8_t* cursor, const uint8_t* pattern, uint32_t patternLength,
                            bool fold) {
    while (mask != 0) {
        const uint8_t* candidate = cursor + __builtin_ctz(mask);
        if (RestMatches(candidate, pattern, patternLength, fold)) {
            return candidate;
        }
        mask &= mask - 1;
    }
    return nullptr;
}

// The scan itself, for one choice of folding and of pattern length above one.
template <bool Fold, bool HasTail>
int64_t Scan(const uint8_t* document, uint32_t start, uint32_t lastStart, const uint8_t* pattern,
             uint32_t patternLength, uint8_t first, uint8_t firstOther, uint8_t last, uint8_t lastOther) {
    const BlockFilter<Fold, HasTail> filter = {
        _mm_set1_epi8(static_cast<char>(first)), _mm_set1_epi8(static_cast<char>(firstOther)),
        _mm_set1_epi8(static_cast<char>(last)), _mm_set1_epi8(static_cast<char>(lastOther)), patternLength - 1};
    const uint8_t* cursor = document + start;
    const uint8_t* lastCandidate = document + lastStart;
    // Loads cover only bytes of candidates, so nothing past lastStart + patternLength is read.
    // Two blocks per step halve the loop's own cost; their bits stay in offset order.
    while (lastCandidate - cursor >= static_cast<ptrdiff_t>(2 * VectorBytes - 1)) {
        unsigned mask = filter.Mask(cursor) | (filter.Mask(cursor + VectorBytes) << VectorBytes);
        if (mask != 0) {
            const uint8_t* match = FirstMatchIn(mask, cursor, pattern, patternLength, Fold);
            if (match != nullptr) {
                return match - document;
            }
        }
        cursor += 2 * VectorBytes;
    }
    while (lastCandidate - cursor >= static_cast<ptrdiff_t>(VectorBytes - 1)) {
        const uint8_t* match = FirstMatchIn(filter.Mask(cursor), cursor, pattern, patternLength, Fold);
        if (match != nullptr) {
            return match - document;
        }
        cursor += VectorBytes;
    }
    for (; cursor <= lastCandidate; ++cursor) {
        if ((*cursor == first || *cursor == firstOther) && RestMatches(cursor, pattern, patternLength, Fold)) {
            return cursor - document;
        }
    }
    return NoMatch;
}

}  // namespace

int64_t FindPattern(const uint8_t* document, uint32_t start, uint32_t lastStart, const uint8_t* pattern,
                    uint32_t patternLength, bool fold) {
    if (patternLength == 0 || start > lastStart) {
        return NoMatch;
    }
    uint8_t first = 0;
    uint8_t firstOther = 0;
    uint8_t last = 0;
    uint8_t lastOther = 0;
    if (!MatchingValues(pattern[0], fold, &first, &firstOther) ||
        !MatchingValues(pattern[patternLength - 1], fold, &last, &lastOther)) {
        return NoMatch;
    }
    bool hasTail = patternLength > 1;
    if (fold) {
        return hasTail ? Scan<true, true>(document, start, lastStart, pattern, patternLength, first, firstOther, last,
                                          lastOther)
                       : Scan<true, false>(document, start, lastStart, pattern, patternLength, first, firstOther,
                                           last, lastOther);
    }
    return hasTail ? Scan<false, true>(document, start, lastStart, pattern, patternLength, first, firstOther, last,
                                       lastOther)
                   : Scan<false, false>(document, start, lastStart, pattern, patternLength, first, firstOther, last,
                                        lastOther);
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
