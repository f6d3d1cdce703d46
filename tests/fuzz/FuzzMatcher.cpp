// Checks the scan against a plain reference loop on arbitrary documents and patterns: the same
// first match, or none; and the Find hex conversion never writes past the pattern.
#include "search/HexPattern.h"
#include "search/Matcher.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

int64_t ReferenceFind(const std::vector<uint8_t>& document, uint32_t start, uint32_t lastStart,
                      const std::vector<uint8_t>& pattern, bool fold) {
    if (pattern.empty()) {
        return NoMatch;
    }
    for (uint64_t p = start; p <= lastStart; ++p) {
        bool equal = true;
        for (size_t i = 0; i < pattern.size() && equal; ++i) {
            uint8_t byte = document[p + i];
            equal = (fold ? FoldByte(byte) : byte) == pattern[i];
        }
        if (equal) {
            return static_cast<int64_t>(p);
        }
    }
    return NoMatch;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) {
        return 0;
    }
    bool fold = data[0] & 1;
    size_t patternLength = 1 + data[1] % MaxPatternBytes;
    if (size < 2 + patternLength) {
        return 0;
    }
    std::vector<uint8_t> pattern(data + 2, data + 2 + patternLength);
    std::vector<uint8_t> document(data + 2 + patternLength, data + size);
    if (fold) {
        for (uint8_t& byte : pattern) {
            byte = FoldByte(byte);
        }
    }
    if (document.size() >= patternLength) {
        uint32_t lastStart = static_cast<uint32_t>(document.size() - patternLength);
        uint32_t start = data[0] >> 1;
        int64_t expected = ReferenceFind(document, start, lastStart, pattern, fold);
        int64_t found = FindPattern(document.data(), start, lastStart, pattern.data(),
                                    static_cast<uint32_t>(patternLength), fold);
        if (found != expected) {
            abort();
        }
    }

    std::vector<char> text(data, data + size);
    text.push_back('\0');
    uint8_t bytes[MaxPatternBytes + 1];
    bytes[MaxPatternBytes] = 0xA5;
    int count = HexTextToBytes(text.data(), bytes);
    if (count < 0 || count > MaxPatternBytes || bytes[MaxPatternBytes] != 0xA5) {
        abort();
    }
    char shown[3 * MaxShownPatternBytes + 1];
    int pairs = count < MaxShownPatternBytes ? count : MaxShownPatternBytes;
    BytesToHexText(bytes, pairs, shown);
    if (strlen(shown) != static_cast<size_t>(pairs == 0 ? 0 : 3 * pairs - 1)) {
        abort();
    }
    return 0;
}
