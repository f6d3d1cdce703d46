#include "search/ValueText.h"

#include <cstring>

#include "framework/TextUtil.h"

namespace {

const uint32_t MaxByteValue = 255;
const int MaxHexDigits = 8;
const int OffsetDigits = 8;

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
    DecimalReading reading = ReadDecimal(text, MaxByteValue);
    if (reading.beyond || (reading.negative && reading.magnitude != 0)) {
        return OutOfRange;
    }
    return reading.magnitude;
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
