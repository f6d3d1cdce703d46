// Checks the scan, at every vector width the processor runs, against a plain reference loop on
// arbitrary documents and patterns, and on long documents of the pattern's own bytes, where the
// scan changes the order of its tests as it goes: the same first match, or none; and the Find hex
// conversion against a reading of the text of its own.
// The references share no code with what they check, folding included.
#include "search/HexPattern.h"
#include "search/Matcher.h"
#include "tests/support/ReferenceSearch.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char hexDigitText[] = "0123456789ABCDEF";

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

// Long enough for the scan to work its order out from the data (after some hundred blocks that
// need a closer look), short enough to keep the fuzzer quick.
const size_t LongDocumentBytes = 12 * 1024;
// Both bytes of flags must hold them, so that few inputs take the long way.
const uint8_t LongDocumentFlags = 0xC0;
const uint8_t OtherBit = 0x01;
const size_t PlantStride = 613;

// A long document of the pattern's own bytes, varied from copy to copy of the fuzzer's bytes, without
// the pattern's last byte (so without a match for most of its length), with one copy of the pattern
// planted at a place the fuzzer's bytes choose, in mixed case under folding.
std::vector<uint8_t> LongDocument(const std::vector<uint8_t>& raw, const std::vector<uint8_t>& pattern, bool fold) {
    const uint8_t absent = pattern.back();
    std::vector<uint8_t> document(LongDocumentBytes);
    for (size_t i = 0; i < document.size(); ++i) {
        size_t mixed = raw[i % raw.size()] + i / raw.size();
        uint8_t byte = pattern[mixed % pattern.size()];
        if (byte == absent) {
            byte = static_cast<uint8_t>(absent ^ OtherBit);
        }
        bool upper = fold && (mixed / pattern.size()) % 2 != 0;
        document[i] = upper ? static_cast<uint8_t>(toupper(byte)) : byte;
    }
    size_t at = raw[0] * PlantStride % (document.size() - pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        bool upper = fold && (raw[i % raw.size()] + i) % 2 != 0;
        document[at + i] = upper ? static_cast<uint8_t>(toupper(pattern[i])) : pattern[i];
    }
    return document;
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
            byte = reference::Fold(byte);
        }
    }
    if ((data[0] & data[1] & LongDocumentFlags) == LongDocumentFlags && !document.empty()) {
        document = LongDocument(document, pattern, fold);
    }
    if (document.size() >= patternLength) {
        uint32_t lastStart = static_cast<uint32_t>(document.size() - patternLength);
        uint32_t start = data[0] >> 1;
        int64_t expected = reference::Find(document.data(), start, lastStart, pattern.data(),
                                           static_cast<uint32_t>(patternLength), fold);
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
