#include "search/ValueText.h"

#include <cstring>

#include "framework/TextUtil.h"

namespace {

const uint32_t MaxByteValue = 255;
const int MaxHexDigits = 8;
const int OffsetDigits = 8;
const int HexBase = 16;

bool IsBlank(char ch) {
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

}  // namespace

bool IsByteValue(uint32_t value) {
    return value <= MaxByteValue;
}

uint32_t ReadHexValue(const char* text) {
    const char* p = text;
    while (*p != '\0' && !IsHexDigit(*p)) {
        ++p;
    }
    while (*p == '0') {
        ++p;
    }
    int significant = 0;
    while (IsHexDigit(p[significant])) {
        ++significant;
    }
    if (significant > MaxHexDigits) {
        return OutOfRange;
    }
    uint32_t value = 0;
    ParseHexToken(text, &value);
    return value;
}

uint32_t ReadDecimalValue(const char* text) {
    const char* p = text;
    while (IsBlank(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    uint32_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + static_cast<uint32_t>(*p - '0');
        // Past 255 the number can never become a byte again, and stopping here keeps the
        // accumulation far from wrapping.
        if (value > MaxByteValue) {
            return OutOfRange;
        }
    }
    if (negative && value != 0) {
        return OutOfRange;
    }
    return value;
}

void FormatByteValue(uint32_t value, int base, char* text) {
    NumberToText(static_cast<int32_t>(value), text, base);
    if (base == HexBase && strlen(text) <= 1) {
        PrependChar(text, '0');
    }
}

void FormatOffset(uint32_t value, char* text) {
    NumberToText(static_cast<int32_t>(value), text, HexBase);
    while (strlen(text) < OffsetDigits) {
        PrependChar(text, '0');
    }
}
