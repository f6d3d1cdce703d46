#include "search/HexPattern.h"

#include "framework/TextUtil.h"

int HexTextToBytes(const char* text, uint8_t* out) {
    int count = 0;
    const char* next = text;
    uint32_t value = 0;
    while (count < MaxPatternBytes && (next = ParseHexToken(next, &value)) != nullptr) {
        out[count++] = static_cast<uint8_t>(value & 0xFF);
        if (*next == '\0') {
            break;
        }
    }
    return count;
}

void BytesToHexText(const uint8_t* bytes, int count, char* out) {
    char* p = out;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            *p++ = ' ';
        }
        ByteToHex(bytes[i], p);
        p += 2;
    }
    *p = '\0';
}
