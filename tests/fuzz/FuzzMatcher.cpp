// Checks the scan, at every vector width the processor runs, against a plain reference loop on
// arbitrary documents and patterns: the same first match, or none; and the Find hex conversion
// against a reading of the text of its own.
// The references share no code with what they check, folding included.
#include "search/HexPattern.h"
#include "search/Matcher.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char upperLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
const char lowerLetters[] = "abcdefghijklmnopqrstuvwxyz";
const char hexDigitText[] = "0123456789ABCDEF";

uint8_t ReferenceFold(uint8_t byte) {
    const char* upper = byte != 0 ? strchr(upperLetters, byte) : nullptr;
    return upper != nullptr ? static_cast<uint8_t>(lowerLetters[upper - upperLetters]) : byte;
}

// Tokens are runs of hex digits, each giving its last two digits as a byte.
int ReferenceHexBytes(const char* text, uint8_t* out) {
    int count = 0;
    for (const char* p = text; *p != '\0' && count < MaxPatternBytes;) {
        size_t run = strspn(p, hexDigitText);
        if (run == 0) {
            ++p;
            continue;
        }
        uint8_t byte = 0;
        for (size_t i = run > 2 ? run - 2 : 0; i < run; ++i) {
            byte = static_cast<uint8_t>(byte * 16 + (strchr(hexDigitText, p[i]) - hexDigitText));
        }
        out[count++] = byte;
        p += run;
    }
    return count;
}

int64_t ReferenceFind(const std::vector<uint8_t>& document, uint32_t start, uint32_t lastStart,
                      const std::vector<uint8_t>& pattern, bool fold) {
    if (pattern.empty()) {
        return NoMatch;
    }
    for (uint64_t p = start; p <= lastStart; ++p) {
        bool equal = true;
        for (size_t i = 0; i < pattern.size() && equal; ++i) {
            uint8_t byte = document[p + i];
            equal = (fold ? ReferenceFold(byte) : byte) == pattern[i];
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
    // Documents made of the pattern's own bytes are full of near misses, as repetitive data is.
    if (data[1] & 0x80) {
        for (uint8_t& byte : document) {
            byte = pattern[byte % patternLength];
        }
    }
    if (fold) {
        for (uint8_t& byte : pattern) {
            byte = ReferenceFold(byte);
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
        for (ScanWidth width : {ScanWidth::Bytes16, ScanWidth::Bytes32}) {
            if (CanScan(width) && FindPatternWith(width, document.data(), start, lastStart, pattern.data(),
                                                  static_cast<uint32_t>(patternLength), fold) != expected) {
                abort();
            }
        }
    }

    std::vector<char> text(data, data + size);
    text.push_back('\0');
    uint8_t bytes[MaxPatternBytes + 1];
    bytes[MaxPatternBytes] = 0xA5;
    int count = HexTextToBytes(text.data(), bytes);
    uint8_t expected[MaxPatternBytes];
    if (count != ReferenceHexBytes(text.data(), expected) || memcmp(bytes, expected, count) != 0 ||
        bytes[MaxPatternBytes] != 0xA5) {
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
