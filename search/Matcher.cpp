#include "search/Matcher.h"

#include <immintrin.h>

#include <cstddef>
#include <cstring>

#include "view/DumpLine.h"

namespace {

const uint32_t VectorBytes = 16;
const uint32_t StepBytes = 2 * VectorBytes;
const uint32_t WideVectorBytes = 32;
const uint32_t WideStepBytes = 2 * WideVectorBytes;
const int ByteValues = 256;
// How far ahead of the scan the next cache lines are asked for. On its own the processor's
// prefetcher keeps too few lines in flight for a loop this short, which then waits on memory a
// tenth to a fifth of its time. The distance has to cover the memory's latency at its bandwidth:
// a kilobyte did where memory read 15-18 GB/s, but where it read 30 GB/s each request came too
// late to help and only added to the prefetcher's own, holding ordinary text to three quarters
// of a plain read; four kilobytes serve both. A prefetch never faults, so it may point past the
// document's end.
const uint32_t PrefetchBytes = 4096;
const uint32_t CacheLineBytes = 64;
const uint8_t CaseBit = 0x20;
const uint8_t AllBits = 0xFF;
// Pattern positions the vector loop tests at most; the bytes of a longer pattern beyond these are
// compared one at a time for each start that passed.
const uint32_t MaxProbes = 32;
// The first two positions tested decide whether a block of starts needs a closer look at all.
// A block that passes them gets the next few positions (FixedProbes, or fewer once the data has
// shown that fewer rule every start out) tested in one straight run, with no branch between them:
// on repetitive data most blocks pass the lead, and a branch on every position would be
// mispredicted about every other time. After those the positions go in groups of
// GroupProbes between two checks whether any start is left.
const uint32_t LeadProbes = 2;
const uint32_t FixedProbes = 6;
const uint32_t GroupProbes = 5;
const uint32_t FirstGroupProbe = LeadProbes + FixedProbes;
const uint32_t MaxGroups = (MaxProbes - LeadProbes + GroupProbes - 1) / GroupProbes;
const uint32_t MaxPlanProbes = FirstGroupProbe + MaxGroups * GroupProbes;
// Where blocks keep passing the lead, the data decides the order instead of the byte table: once
// FirstReplan blocks have passed, the order is worked out from the SampleStarts starts just
// scanned, and again whenever ReplanGrowth times as many have passed: working it out takes some
// ten thousand vector tests, so it is done ever more rarely. BeamWidth is how many choices that
// search keeps at each step.
const uint32_t FirstReplan = 128;
const uint32_t ReplanGrowth = 8;
const uint32_t WordBits = 32;
const uint32_t SampleStarts = 1024;
const uint32_t SampleWords = SampleStarts / WordBits;
const uint32_t BeamWidth = 8;

// How often each byte value turns up in typical files, on a log scale: 255 for the most common
// value (0x00), 20 less for each halving. Counted once over equal shares of programs and
// libraries (ELF and PE), C headers and Python sources, documentation, compressed files (PNG,
// gzip) and fonts. Only the order matters: it picks the pattern bytes least likely to match.
const uint8_t byteCommonness[ByteValues] = {
    255, 196, 177, 172, 172, 173, 166, 161, 162, 151, 187, 144, 142, 137, 152, 177,  // 00
    162, 151, 138, 141, 145, 143, 140, 144, 144, 131, 131, 130, 132, 127, 131, 142,  // 10
    230, 143, 159, 153, 167, 138, 141, 149, 167, 165, 156, 130, 164, 164, 174, 192,  // 20
    175, 182, 175, 175, 170, 165, 169, 164, 166, 164, 152, 147, 153, 148, 151, 125,  // 30
    153, 174, 154, 167, 174, 179, 154, 150, 185, 179, 133, 140, 172, 153, 164, 159,  // 40
    161, 127, 161, 174, 168, 150, 141, 134, 153, 138, 133, 138, 138, 139, 125, 207,  // 50
    141, 206, 181, 198, 193, 218, 189, 174, 179, 207, 138, 156, 196, 179, 204, 202,  // 60
    187, 134, 202, 207, 213, 189, 164, 154, 161, 162, 133, 130, 132, 133, 125, 127,  // 70
    136, 123, 123, 148, 143, 146, 123, 123, 128, 170, 120, 159, 125, 153, 121, 121,  // 80
    133, 125, 121, 120, 123, 120, 119, 118, 124, 118, 119, 119, 123, 119, 119, 125,  // 90
    131, 118, 119, 118, 122, 118, 118, 119, 124, 120, 122, 119, 123, 119, 118, 119,  // A0
    128, 117, 118, 118, 124, 121, 128, 124, 130, 122, 124, 121, 123, 123, 124, 123,  // B0
    147, 133, 132, 134, 134, 136, 128, 135, 130, 129, 123, 120, 121, 120, 121, 120,  // C0
    130, 123, 130, 122, 121, 123, 120, 119, 128, 125, 119, 125, 124, 124, 120, 126,  // D0
    129, 120, 125, 123, 125, 122, 121, 122, 151, 137, 121, 127, 129, 125, 127, 132,  // E0
    131, 121, 134, 127, 123, 124, 129, 128, 133, 126, 129, 128, 131, 138, 156, 186,  // F0
};

// How common a pattern byte is among the document bytes that match it: under folding a letter
// also matches its upper-case form.
uint32_t Commonness(uint8_t value, bool fold) {
    uint32_t common = byteCommonness[value];
    if (fold && value >= 'a' && value <= 'z') {
        uint32_t upper = byteCommonness[value - CaseBit];
        common = upper > common ? upper : common;
    }
    return common;
}

// One pattern position as the vector loop tests it: the document bytes at offset from sixteen
// starts against value, every byte with 0x20 set first under folding; loose when that lets other
// bytes than the pattern's through (a folded non-letter).
struct Probe {
    __m128i value;
    uint32_t offset;
    bool loose;
};

// The positions a scan tests, in the order it tests them.
struct Plan {
    // Two lead probes, the fixed ones up to fixedEnd, then the groups; the fixed probes of a short
    // pattern and the last group are padded with repeats of the last probe.
    Probe probes[MaxPlanProbes];
    uint32_t probed;
    uint32_t fixedEnd;
    uint32_t groups;
    // The order in which the groups are tried; the scan adapts it as it goes.
    uint8_t order[MaxGroups];
    // The first pattern position that a start passing every probe must still be compared at,
    // byte by byte, up to the end of the pattern.
    uint32_t confirmFrom;
    // Blocks that passed the lead so far, and the count at which the order is next worked out
    // from the data.
    uint32_t passedLead;
    uint32_t replanAt;
};

// 0x20 for a letter under folding, so that both of its forms compare equal to the lower-case one
// once it is set; 0 otherwise, so the byte compares exactly.
uint8_t CaseBitOf(uint8_t value, bool fold) {
    return (fold && value >= 'a' && value <= 'z') ? CaseBit : 0;
}

// Under folding a probe sets 0x20 in every byte, one register for all: exact for a letter, and for
// any other value a looser test (0x40 also passes for 0x60) whose passes are confirmed byte by byte.
Probe MakeProbe(const uint8_t* pattern, uint32_t offset, bool fold) {
    Probe probe;
    probe.value = _mm_set1_epi8(static_cast<char>(fold ? pattern[offset] | CaseBit : pattern[offset]));
    probe.offset = offset;
    probe.loose = fold && CaseBitOf(pattern[offset], fold) == 0;
    return probe;
}

// Fills the plan with the probes in the order given, the first fixedEnd of them tested in one
// straight run after the lead.
void Lay(Plan* plan, const Probe* probes, uint32_t probed, uint32_t fixedEnd) {
    uint32_t count = 0;
    plan->probed = probed;
    plan->fixedEnd = fixedEnd;
    plan->confirmFrom = MaxProbes;
    for (; count < probed; ++count) {
        plan->probes[count] = probes[count];
        // The block loops test the lead exactly, but a run of passing blocks tests every probe
        // alike, so a loose lead probe needs the byte compare as much as any other.
        if (probes[count].loose) {
            plan->confirmFrom = 0;
        }
    }
    for (; count < fixedEnd; ++count) {
        plan->probes[count] = plan->probes[count - 1];
    }
    plan->groups = probed > fixedEnd ? (probed - fixedEnd + GroupProbes - 1) / GroupProbes : 0;
    // Repeating a probe changes no result, so every group can be tested in one straight run.
    for (; count < fixedEnd + plan->groups * GroupProbes; ++count) {
        plan->probes[count] = plan->probes[count - 1];
    }
    for (uint32_t g = 0; g < plan->groups; ++g) {
        plan->order[g] = static_cast<uint8_t>(g);
    }
}

// Rarest pattern bytes first: on ordinary data the lead probes then let almost no start through.
// The second lead probe is the rarest byte of a value other than the first's, so that data made
// of runs of one value passes at most one of the two.
void MakePlan(const uint8_t* pattern, uint32_t patternLength, bool fold, Plan* plan) {
    uint32_t probed = patternLength < MaxProbes ? patternLength : MaxProbes;
    uint32_t positions[MaxProbes];
    uint32_t commonness[MaxProbes];
    for (uint32_t i = 0; i < probed; ++i) {
        uint32_t common = Commonness(pattern[i], fold);
        uint32_t at = i;
        for (; at > 0 && commonness[at - 1] > common; --at) {
            positions[at] = positions[at - 1];
            commonness[at] = commonness[at - 1];
        }
        positions[at] = i;
        commonness[at] = common;
    }
    if (probed > 1) {
        uint32_t second = 1;
        while (second < probed && pattern[positions[second]] == pattern[positions[0]]) {
            ++second;
        }
        if (second == probed) {
            // A run of one value: the two ends, as far apart as the pattern allows.
            positions[0] = 0;
            second = probed - 1;
            for (uint32_t i = 1; i < probed - 1; ++i) {
                positions[i] = i;
            }
            positions[probed - 1] = probed - 1;
        }
        uint32_t chosen = positions[second];
        for (uint32_t at = second; at > 1; --at) {
            positions[at] = positions[at - 1];
        }
        positions[1] = chosen;
    }
    Probe probes[MaxProbes] = {};
    for (uint32_t i = 0; i < probed; ++i) {
        probes[i] = MakeProbe(pattern, positions[i], fold);
    }
    uint32_t fixedEnd = probed < FirstGroupProbe ? probed : FirstGroupProbe;
    Lay(plan, probes, probed, fixedEnd > LeadProbes ? fixedEnd : LeadProbes);
    plan->passedLead = 0;
    plan->replanAt = FirstReplan;
}

inline void Prefetch(const uint8_t* bytes) {
    _mm_prefetch(reinterpret_cast<const char*>(bytes), _MM_HINT_T0);
}

// Sixteen document bytes from anywhere. Loaded through memcpy, the 32-bit build keeps them in
// registers; through the unaligned-load intrinsic it copied each one over the stack.
__m128i Load(const uint8_t* bytes) {
    __m128i loaded;
    memcpy(&loaded, bytes, sizeof loaded);
    return loaded;
}

unsigned Mask(__m128i hits) {
    return static_cast<unsigned>(_mm_movemask_epi8(hits));
}

template <bool Fold>
__m128i Hits(const uint8_t* cursor, const Probe& probe, __m128i caseBits) {
    __m128i bytes = Load(cursor + probe.offset);
    if (Fold) {
        bytes = _mm_or_si128(bytes, caseBits);
    }
    return _mm_cmpeq_epi8(bytes, probe.value);
}

// A group that rules out every start of a block moves one place forward in the order.
void MoveForward(Plan* plan, uint32_t group) {
    if (group > 0) {
        uint8_t moved = plan->order[group];
        plan->order[group] = plan->order[group - 1];
        plan->order[group - 1] = moved;
    }
}

// Which of the SampleStarts starts at sample pass one probe, a bit each.
void SampleHits(const uint8_t* sample, const Probe& probe, bool fold, uint32_t* words) {
    const __m128i caseBits = _mm_set1_epi8(static_cast<char>(fold ? CaseBit : 0));
    for (uint32_t w = 0; w < SampleWords; ++w) {
        const uint8_t* at = sample + w * WordBits + probe.offset;
        __m128i low = _mm_cmpeq_epi8(_mm_or_si128(Load(at), caseBits), probe.value);
        __m128i high = _mm_cmpeq_epi8(_mm_or_si128(Load(at + VectorBytes), caseBits), probe.value);
        words[w] = Mask(low) | (Mask(high) << VectorBytes);
    }
}

// The starts of the sample that both alive and hits let through.
uint32_t CountPassing(const uint32_t* alive, const uint32_t* hits) {
    uint32_t count = 0;
    for (uint32_t w = 0; w < SampleWords; ++w) {
        count += static_cast<uint32_t>(__builtin_popcount(alive[w] & hits[w]));
    }
    return count;
}

// A choice of probes to test first, as the search for the order below keeps it.
struct Choice {
    uint32_t taken;  // bit i for the plan's probe i
    uint32_t count;
    uint8_t probes[FirstGroupProbe];
    uint32_t left;  // starts of the sample that pass all of them
    uint32_t alive[SampleWords];
};

// Keeps the BeamWidth choices that leave the fewest starts, each set of probes once.
void Keep(Choice* beam, uint32_t* kept, const Choice& parent, uint32_t probe, uint32_t left) {
    uint32_t taken = parent.taken | (1u << probe);
    uint32_t at = *kept;
    for (uint32_t i = 0; i < *kept; ++i) {
        if (beam[i].taken == taken) {
            return;
        }
    }
    if (at == BeamWidth) {
        if (beam[at - 1].left <= left) {
            return;
        }
        --at;
    } else {
        ++*kept;
    }
    for (; at > 0 && beam[at - 1].left > left; --at) {
        beam[at] = beam[at - 1];
    }
    Choice& choice = beam[at];
    choice = parent;
    choice.taken = taken;
    choice.probes[choice.count++] = static_cast<uint8_t>(probe);
    choice.left = left;
}

// Works the order out from the SampleStarts starts at sample, which the scan has just passed: the
// fewest probes that leave no start of the sample, or the FirstGroupProbe that leave the fewest,
// come first, the best two of them as the lead, and the fixed run ends with them. A search that
// keeps the best few choices at each length, rather than adding the best single probe each time,
// also finds positions that rule starts out only together: in data that never holds four 'b' in a
// row, the four 'b' of such a run in the pattern, where each alone rules out no more than any other
// 'b'. Every start is still tested at every position, so the order changes no result.
void Replan(Plan* plan, const uint8_t* sample, bool fold) {
    const uint32_t probed = plan->probed;
    uint32_t hits[MaxProbes][SampleWords];
    for (uint32_t i = 0; i < probed; ++i) {
        SampleHits(sample, plan->probes[i], fold, hits[i]);
    }
    Choice beams[2][BeamWidth];
    Choice* beam = beams[0];
    Choice* next = beams[1];
    beam[0].taken = 0;
    beam[0].count = 0;
    memset(beam[0].alive, AllBits, sizeof beam[0].alive);
    beam[0].left = SampleStarts;
    uint32_t kept = 1;
    while (beam[0].left != 0 && beam[0].count < FirstGroupProbe && beam[0].count < probed) {
        uint32_t nextKept = 0;
        for (uint32_t c = 0; c < kept; ++c) {
            for (uint32_t probe = 0; probe < probed; ++probe) {
                if ((beam[c].taken & (1u << probe)) == 0) {
                    Keep(next, &nextKept, beam[c], probe, CountPassing(beam[c].alive, hits[probe]));
                }
            }
        }
        for (uint32_t c = 0; c < nextKept; ++c) {
            Choice& choice = next[c];
            const uint32_t* added = hits[choice.probes[choice.count - 1]];
            for (uint32_t w = 0; w < SampleWords; ++w) {
                choice.alive[w] &= added[w];
            }
        }
        Choice* swapped = beam;
        beam = next;
        next = swapped;
        kept = nextKept;
    }
    const Choice& best = beam[0];
    // The two of them that leave the fewest starts together lead.
    uint32_t lead[LeadProbes] = {0, 1};
    uint32_t bestLeft = SampleStarts + 1;
    for (uint32_t x = 0; x + 1 < best.count; ++x) {
        for (uint32_t y = x + 1; y < best.count; ++y) {
            uint32_t passing = CountPassing(hits[best.probes[x]], hits[best.probes[y]]);
            if (passing < bestLeft) {
                bestLeft = passing;
                lead[0] = x;
                lead[1] = y;
            }
        }
    }
    Probe probes[MaxProbes] = {};
    uint32_t count = 0;
    for (uint32_t i : lead) {
        if (i < best.count) {
            probes[count++] = plan->probes[best.probes[i]];
        }
    }
    for (uint32_t i = 0; i < best.count; ++i) {
        if (i != lead[0] && i != lead[1]) {
            probes[count++] = plan->probes[best.probes[i]];
        }
    }
    for (uint32_t i = 0; i < probed; ++i) {
        if ((best.taken & (1u << i)) == 0) {
            probes[count++] = plan->probes[i];
        }
    }
    uint32_t fixedEnd = best.left == 0 ? best.count : FirstGroupProbe;
    fixedEnd = fixedEnd < probed ? fixedEnd : probed;
    Lay(plan, probes, probed, fixedEnd > LeadProbes ? fixedEnd : LeadProbes);
}

// Of the 32 starts at cursor that low and high let through (the lead probes' hits at cursor and
// cursor + 16), the ones that the fixed probes let through too, bit i for cursor + i.
template <bool Fold>
inline __attribute__((always_inline)) uint32_t PassesFixed(const Plan* plan, const uint8_t* cursor, __m128i low,
                                                           __m128i high) {
    const __m128i caseBits = _mm_set1_epi8(static_cast<char>(CaseBit));
#pragma GCC unroll 1
    for (uint32_t i = LeadProbes; i < plan->fixedEnd; ++i) {
        low = _mm_and_si128(low, Hits<Fold>(cursor, plan->probes[i], caseBits));
        high = _mm_and_si128(high, Hits<Fold>(cursor + VectorBytes, plan->probes[i], caseBits));
    }
    return Mask(low) | (Mask(high) << VectorBytes);
}

// Of the 32 starts at cursor that passed the lead and fixed probes (bit i for cursor + i), the ones
// at which every probed position matches. Each start costs at most one test per pattern position,
// whatever the data. A group that rules out all starts moves one place forward, so when near misses
// keep failing at the same positions, as in repetitive data, those positions soon come first. Kept
// out of line so that the lead loop, which is all that runs on ordinary data, keeps its values in
// the few vector registers.
template <bool Fold>
__attribute__((noinline)) uint32_t Survivors(Plan* plan, const uint8_t* cursor, uint32_t passed) {
    const __m128i caseBits = _mm_set1_epi8(static_cast<char>(CaseBit));
    __m128i low = _mm_set1_epi8(static_cast<char>(AllBits));
    __m128i high = low;
    for (uint32_t g = 0; g < plan->groups; ++g) {
        const Probe* probe = plan->probes + plan->fixedEnd + plan->order[g] * GroupProbes;
        const Probe* end = probe + GroupProbes;
        for (; probe != end; ++probe) {
            low = _mm_and_si128(low, Hits<Fold>(cursor, *probe, caseBits));
            high = _mm_and_si128(high, Hits<Fold>(cursor + VectorBytes, *probe, caseBits));
        }
        if (((Mask(low) | (Mask(high) << VectorBytes)) & passed) == 0) {
            MoveForward(plan, g);
            return 0;
        }
    }
    return (Mask(low) | (Mask(high) << VectorBytes)) & passed;
}

bool BytesMatch(const uint8_t* candidate, const uint8_t* pattern, uint32_t from, uint32_t patternLength, bool fold) {
    for (uint32_t i = from; i < patternLength; ++i) {
        uint8_t byte = fold ? FoldByte(candidate[i]) : candidate[i];
        if (byte != pattern[i]) {
            return false;
        }
    }
    return true;
}

// The starts before the first one whose first lead byte lies on a multiple of alignment in memory,
// each compared byte by byte, so that the block loop's loads of the first lead's bytes are aligned:
// a load that straddles two cache lines costs two. Returns the match or NoMatch, and moves cursor to
// the first start not yet tried.
template <bool Fold>
int64_t ScanToAlignment(const uint8_t* document, const uint8_t** cursor, const uint8_t* lastCandidate,
                        uint32_t firstOffset, uintptr_t alignment, const uint8_t* pattern, uint32_t patternLength) {
    const uint8_t* at = *cursor;
    for (; at <= lastCandidate && (reinterpret_cast<uintptr_t>(at + firstOffset) & (alignment - 1)) != 0; ++at) {
        if (BytesMatch(at, pattern, 0, patternLength, Fold)) {
            return at - document;
        }
    }
    *cursor = at;
    return NoMatch;
}

// Counts a block that passed the lead; true when the order is to be worked out again now.
bool ReplanDue(Plan* plan) {
    if (++plan->passedLead != plan->replanAt) {
        return false;
    }
    plan->replanAt *= ReplanGrowth;
    return true;
}

// The scan for one choice of folding, and of a pattern of one byte, which needs one lead probe.
template <bool Fold, bool OneByte>
int64_t Scan(const uint8_t* document, uint32_t start, uint32_t lastStart, const uint8_t* pattern,
             uint32_t patternLength, Plan* plan) {
    const uint8_t* cursor = document + start;
    const uint8_t* lastCandidate = document + lastStart;
    bool replan = true;
    while (replan) {
        replan = false;
        int64_t found = ScanToAlignment<Fold>(document, &cursor, lastCandidate, plan->probes[0].offset, VectorBytes,
                                              pattern, patternLength);
        if (found != NoMatch) {
            return found;
        }
        const Probe& first = plan->probes[0];
        const Probe& second = plan->probes[OneByte ? 0 : 1];
        const __m128i firstValue = _mm_set1_epi8(static_cast<char>(pattern[first.offset]));
        const __m128i secondValue = _mm_set1_epi8(static_cast<char>(pattern[second.offset]));
        const __m128i firstCaseBit = _mm_set1_epi8(static_cast<char>(CaseBitOf(pattern[first.offset], Fold)));
        const __m128i secondCaseBit = _mm_set1_epi8(static_cast<char>(CaseBitOf(pattern[second.offset], Fold)));
        const ptrdiff_t secondFromFirst =
            static_cast<ptrdiff_t>(second.offset) - static_cast<ptrdiff_t>(first.offset);
        // The loop walks the first lead's bytes against a fixed end, which leaves the 32-bit
        // build's few registers to the vectors. Loads cover only bytes of candidates, so nothing
        // past lastStart + patternLength is read.
        const ptrdiff_t blocks = (lastCandidate - cursor + 1) / static_cast<ptrdiff_t>(StepBytes);
        const uint32_t firstOffset = first.offset;
        const uint8_t* firstBytes = cursor + firstOffset;
        const uint8_t* const end = firstBytes + blocks * static_cast<ptrdiff_t>(StepBytes);
        for (; firstBytes != end; firstBytes += StepBytes) {
            Prefetch(firstBytes + PrefetchBytes);
            __m128i a = Load(firstBytes);
            __m128i c = Load(firstBytes + VectorBytes);
            if (Fold) {
                a = _mm_or_si128(a, firstCaseBit);
                c = _mm_or_si128(c, firstCaseBit);
            }
            __m128i low = _mm_cmpeq_epi8(a, firstValue);
            __m128i high = _mm_cmpeq_epi8(c, firstValue);
            if (!OneByte) {
                __m128i b = Load(firstBytes + secondFromFirst);
                __m128i d = Load(firstBytes + secondFromFirst + VectorBytes);
                if (Fold) {
                    b = _mm_or_si128(b, secondCaseBit);
                    d = _mm_or_si128(d, secondCaseBit);
                }
                low = _mm_and_si128(low, _mm_cmpeq_epi8(b, secondValue));
                high = _mm_and_si128(high, _mm_cmpeq_epi8(d, secondValue));
            }
            if (Mask(_mm_or_si128(low, high)) != 0) {
                const uint8_t* blockStart = firstBytes - firstOffset;
                uint32_t mask = OneByte ? Mask(low) | (Mask(high) << VectorBytes) : PassesFixed<Fold>(plan, blockStart, low, high);
                if (mask != 0) {
                    mask = Survivors<Fold>(plan, blockStart, mask);
                }
                for (; mask != 0; mask &= mask - 1) {
                    const uint8_t* candidate = blockStart + __builtin_ctz(mask);
                    if (BytesMatch(candidate, pattern, plan->confirmFrom, patternLength, Fold)) {
                        return candidate - document;
                    }
                }
                if (!OneByte && ReplanDue(plan)) {
                    replan = true;
                    firstBytes += StepBytes;
                    break;
                }
            }
        }
        cursor = firstBytes - firstOffset;
        if (replan) {
            // Every block that passed the lead was scanned, so the sample lies within the range.
            Replan(plan, cursor - SampleStarts, Fold);
        }
    }
    // Fewer than 32 starts are left: each costs at most one comparison per pattern byte.
    for (; cursor <= lastCandidate; ++cursor) {
        if (BytesMatch(cursor, pattern, 0, patternLength, Fold)) {
            return cursor - document;
        }
    }
    return NoMatch;
}

// The same scan 32 bytes a step with AVX2, 64 starts a block, for processors that have it. The
// stack of 32-bit Windows code, and of GCC's 64-bit Windows code, is not aligned to 32 bytes, so
// no 32-byte value crosses a call: the helpers that take one are always inlined, the plan keeps
// its probes as 16-byte values, and the compiler spills with unaligned moves.
inline __attribute__((target("avx2"), always_inline)) __m256i WideLoad(const uint8_t* bytes) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes));
}

inline __attribute__((target("avx2"), always_inline)) uint64_t WideMask(__m256i low, __m256i high) {
    uint64_t lowMask = static_cast<uint32_t>(_mm256_movemask_epi8(low));
    uint64_t highMask = static_cast<uint32_t>(_mm256_movemask_epi8(high));
    return lowMask | (highMask << WideVectorBytes);
}

template <bool Fold>
inline __attribute__((target("avx2"), always_inline)) __m256i WideHits(const uint8_t* bytes, __m256i value,
                                                                       __m256i caseBits) {
    __m256i loaded = WideLoad(bytes);
    if (Fold) {
        loaded = _mm256_or_si256(loaded, caseBits);
    }
    return _mm256_cmpeq_epi8(loaded, value);
}

// Narrows low and high, the hits of the 64 starts at cursor, to those that pass probe too.
template <bool Fold>
inline __attribute__((target("avx2"), always_inline)) void WideNarrow(const uint8_t* cursor, const Probe& probe,
                                                                      __m256i caseBits, __m256i* low, __m256i* high) {
    const __m256i value = _mm256_broadcastsi128_si256(probe.value);
    *low = _mm256_and_si256(*low, WideHits<Fold>(cursor + probe.offset, value, caseBits));
    *high = _mm256_and_si256(*high, WideHits<Fold>(cursor + probe.offset + WideVectorBytes, value, caseBits));
}

// Survivors for the 64 starts at cursor that passed (bit i for cursor + i) the lead and fixed
// probes.
template <bool Fold>
__attribute__((target("avx2"), noinline)) uint64_t WideSurvivors(Plan* plan, const uint8_t* cursor, uint64_t passed) {
    const __m256i caseBits = _mm256_set1_epi8(static_cast<char>(CaseBit));
    __m256i low = _mm256_set1_epi8(static_cast<char>(AllBits));
    __m256i high = low;
    for (uint32_t g = 0; g < plan->groups; ++g) {
        const Probe* probe = plan->probes + plan->fixedEnd + plan->order[g] * GroupProbes;
        const Probe* end = probe + GroupProbes;
        for (; probe != end; ++probe) {
            WideNarrow<Fold>(cursor, *probe, caseBits, &low, &high);
        }
        if ((WideMask(low, high) & passed) == 0) {
            MoveForward(plan, g);
            return 0;
        }
    }
    return WideMask(low, high) & passed;
}

// The lead probes' hits for the 64 starts at cursor.
template <bool Fold, bool OneByte>
inline __attribute__((target("avx2"), always_inline)) void WideLead(const uint8_t* cursor, uint32_t firstOffset,
                                                                     __m256i firstValue, __m256i firstCaseBit,
                                                                     uint32_t secondOffset, __m256i secondValue,
                                                                     __m256i secondCaseBit, __m256i* low,
                                                                     __m256i* high) {
    *low = WideHits<Fold>(cursor + firstOffset, firstValue, firstCaseBit);
    *high = WideHits<Fold>(cursor + firstOffset + WideVectorBytes, firstValue, firstCaseBit);
    if (!OneByte) {
        *low = _mm256_and_si256(*low, WideHits<Fold>(cursor + secondOffset, secondValue, secondCaseBit));
        *high = _mm256_and_si256(*high, WideHits<Fold>(cursor + secondOffset + WideVectorBytes, secondValue,
                                                       secondCaseBit));
    }
}

// Tests the blocks from *cursor on, one at a time, for as long as each passes the lead, with all
// Fixed probes of the lead and fixed run in one straight run: on repetitive data nearly every
// block passes, and the loop then carries nothing but the tests. The probes' values are read from
// the plan as they are needed, so the 32-bit build's eight vector registers hold only the block's
// hits. Returns the starts of a block that pass every one of them (*cursor at that block, not yet
// counted); otherwise 0, with *cursor past the block that failed the lead, past the one after which
// the order is due to be worked out again (*replan set), or where fewer than a block of starts is
// left.
template <bool Fold, uint32_t Fixed>
__attribute__((target("avx2"))) uint64_t WideRun(Plan* plan, const uint8_t** cursor, const uint8_t* lastCandidate,
                                                 bool* replan) {
    const __m256i caseBits = _mm256_set1_epi8(static_cast<char>(CaseBit));
    const uint8_t* at = *cursor;
    uint64_t mask = 0;
    while (lastCandidate - at >= static_cast<ptrdiff_t>(WideStepBytes - 1)) {
        Prefetch(at + PrefetchBytes);
        __m256i low = _mm256_set1_epi8(static_cast<char>(AllBits));
        __m256i high = low;
        for (uint32_t i = 0; i < LeadProbes; ++i) {
            WideNarrow<Fold>(at, plan->probes[i], caseBits, &low, &high);
        }
        const __m256i either = _mm256_or_si256(low, high);
        if (_mm256_testz_si256(either, either)) {
            at += WideStepBytes;
            break;
        }
        for (uint32_t i = LeadProbes; i < Fixed; ++i) {
            WideNarrow<Fold>(at, plan->probes[i], caseBits, &low, &high);
        }
        mask = WideMask(low, high);
        if (mask != 0) {
            break;
        }
        at += WideStepBytes;
        if (ReplanDue(plan)) {
            *replan = true;
            break;
        }
    }
    *cursor = at;
    return mask;
}

// WideRun for the plan's length of the fixed run, each length compiled with its tests unrolled.
template <bool Fold, uint32_t Fixed = LeadProbes>
__attribute__((target("avx2"))) uint64_t WideRunOf(Plan* plan, const uint8_t** cursor, const uint8_t* lastCandidate,
                                                   bool* replan) {
    if constexpr (Fixed < FirstGroupProbe) {
        if (plan->fixedEnd != Fixed) {
            return WideRunOf<Fold, Fixed + 1>(plan, cursor, lastCandidate, replan);
        }
    }
    return WideRun<Fold, Fixed>(plan, cursor, lastCandidate, replan);
}

template <bool Fold, bool OneByte>
__attribute__((target("avx2"))) int64_t WideScan(const uint8_t* document, uint32_t start, uint32_t lastStart,
                                                 const uint8_t* pattern, uint32_t patternLength, Plan* plan) {
    const uint8_t* cursor = document + start;
    const uint8_t* lastCandidate = document + lastStart;
    bool replan = true;
    while (replan) {
        replan = false;
        int64_t found = ScanToAlignment<Fold>(document, &cursor, lastCandidate, plan->probes[0].offset,
                                              WideVectorBytes, pattern, patternLength);
        if (found != NoMatch) {
            return found;
        }
        const Probe& first = plan->probes[0];
        const Probe& second = plan->probes[OneByte ? 0 : 1];
        const __m256i firstValue = _mm256_set1_epi8(static_cast<char>(pattern[first.offset]));
        const __m256i secondValue = _mm256_set1_epi8(static_cast<char>(pattern[second.offset]));
        const __m256i firstCaseBit = _mm256_set1_epi8(static_cast<char>(CaseBitOf(pattern[first.offset], Fold)));
        const __m256i secondCaseBit = _mm256_set1_epi8(static_cast<char>(CaseBitOf(pattern[second.offset], Fold)));
        // On ordinary data hardly a block passes the lead, so two are tested at once where both
        // fit: the loop's own steps then stay off the pace of the memory. From a block that passes,
        // WideRun takes over for as long as the blocks keep passing.
        while (!replan && lastCandidate - cursor >= static_cast<ptrdiff_t>(WideStepBytes - 1)) {
            __m256i low;
            __m256i high;
            WideLead<Fold, OneByte>(cursor, first.offset, firstValue, firstCaseBit, second.offset, secondValue,
                                    secondCaseBit, &low, &high);
            // A step covers two cache lines when both blocks are ruled out at once.
            Prefetch(cursor + PrefetchBytes);
            Prefetch(cursor + PrefetchBytes + CacheLineBytes);
            __m256i either = _mm256_or_si256(low, high);
            __m256i nextLow = _mm256_setzero_si256();
            __m256i nextHigh = nextLow;
            bool nextKnown = lastCandidate - cursor >= static_cast<ptrdiff_t>(2 * WideStepBytes - 1);
            if (nextKnown) {
                WideLead<Fold, OneByte>(cursor + WideStepBytes, first.offset, firstValue, firstCaseBit, second.offset,
                                        secondValue, secondCaseBit, &nextLow, &nextHigh);
                const __m256i any = _mm256_or_si256(either, _mm256_or_si256(nextLow, nextHigh));
                if (_mm256_testz_si256(any, any)) {
                    cursor += 2 * WideStepBytes;
                    continue;
                }
            }
            if (_mm256_testz_si256(either, either)) {
                // The first block failed the lead; the second, where it was tested, passed.
                cursor += WideStepBytes;
                if (!nextKnown) {
                    continue;
                }
                low = nextLow;
                high = nextHigh;
            }
            if (OneByte) {
                // One byte, compared exactly: the first start that passed is the match.
                return cursor + __builtin_ctzll(WideMask(low, high)) - document;
            }
            uint64_t mask = WideRunOf<Fold>(plan, &cursor, lastCandidate, &replan);
            if (mask != 0) {
                mask = WideSurvivors<Fold>(plan, cursor, mask);
                for (; mask != 0; mask &= mask - 1) {
                    const uint8_t* candidate = cursor + __builtin_ctzll(mask);
                    if (BytesMatch(candidate, pattern, plan->confirmFrom, patternLength, Fold)) {
                        return candidate - document;
                    }
                }
                replan = ReplanDue(plan);
                cursor += WideStepBytes;
            }
        }
        if (replan) {
            // Every block that passed the lead was scanned, so the sample lies within the range.
            Replan(plan, cursor - SampleStarts, Fold);
        }
    }
    // The 16-byte scan takes the last starts, fewer than a block.
    return Scan<Fold, OneByte>(document, static_cast<uint32_t>(cursor - document), lastStart, pattern, patternLength,
                               plan);
}

}  // namespace

bool CanScan(ScanWidth width) {
    return width == ScanWidth::Bytes16 || __builtin_cpu_supports("avx2");
}

int64_t FindPatternWith(ScanWidth width, const uint8_t* document, uint32_t start, uint32_t lastStart,
                        const uint8_t* pattern, uint32_t patternLength, bool fold) {
    if (patternLength == 0 || start > lastStart) {
        return NoMatch;
    }
    if (fold) {
        // No document byte folds to an upper-case letter, so such a pattern can never match.
        for (uint32_t i = 0; i < patternLength; ++i) {
            if (pattern[i] >= 'A' && pattern[i] <= 'Z') {
                return NoMatch;
            }
        }
    }
    Plan plan;
    MakePlan(pattern, patternLength, fold, &plan);
    bool wide = width == ScanWidth::Bytes32;
    if (patternLength == 1) {
        return fold ? (wide ? WideScan<true, true> : Scan<true, true>)(document, start, lastStart, pattern, 1, &plan)
                    : (wide ? WideScan<false, true> : Scan<false, true>)(document, start, lastStart, pattern, 1, &plan);
    }
    return fold ? (wide ? WideScan<true, false> : Scan<true, false>)(document, start, lastStart, pattern,
                                                                    patternLength, &plan)
                : (wide ? WideScan<false, false> : Scan<false, false>)(document, start, lastStart, pattern,
                                                                      patternLength, &plan);
}

int64_t FindPattern(const uint8_t* document, uint32_t start, uint32_t lastStart, const uint8_t* pattern,
                    uint32_t patternLength, bool fold) {
    ScanWidth width = CanScan(ScanWidth::Bytes32) ? ScanWidth::Bytes32 : ScanWidth::Bytes16;
    return FindPatternWith(width, document, start, lastStart, pattern, patternLength, fold);
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
