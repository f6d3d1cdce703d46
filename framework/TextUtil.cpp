#include "framework/TextUtil.h"

#include <cstring>
#include <cwchar>

const char hexDigits[17] = "0123456789ABCDEF";

namespace {

const int ThousandsWorkSize = 40;
const int MaxGroupedDigits = 30;

bool IsDecimalDigit(char ch) {
    signed char value = static_cast<signed char>(ch);
    return value >= '0' && value <= '9';
}

int HexDigitValue(char ch) {
    return IsDecimalDigit(ch) ? ch - '0' : ch - 'A' + 10;
}

void Reverse(char* first, char* last) {
    while (first < last) {
        char swap = *first;
        *first++ = *last;
        *last-- = swap;
    }
}

// A high surrogate followed by a low one is a character of two UTF-16 units; a cut between the
// two would leave half a character behind.
bool OpensSurrogatePair(const wchar_t* p) {
    return p[0] >= 0xD800 && p[0] <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF;
}

}  // namespace

char* NumberToText(int32_t value, char* buffer, int base) {
    char* out = buffer;
    uint32_t magnitude = static_cast<uint32_t>(value);
    if (base == 10 && value < 0) {
        *out++ = '-';
        magnitude = 0u - magnitude;
    }
    char* digits = out;
    do {
        uint32_t digit = magnitude % static_cast<uint32_t>(base);
        *out++ = static_cast<char>(digit < 10 ? '0' + digit : 'a' + (digit - 10));
        magnitude /= static_cast<uint32_t>(base);
    } while (magnitude != 0);
    *out = '\0';
    Reverse(digits, out - 1);
    return buffer;
}

void PrependChar(char* text, char ch) {
    char* end = text;
    while (*end != '\0') {
        ++end;
    }
    for (char* p = end + 1; p > text; --p) {
        *p = *(p - 1);
    }
    *text = ch;
}

char* LowerAscii(char* text) {
    for (char* p = text; *p != '\0'; ++p) {
        signed char value = static_cast<signed char>(*p);
        if (value >= 'A' && value <= 'Z') {
            *p = static_cast<char>(*p | 0x20);
        }
    }
    return text;
}

void ByteToHex(uint32_t value, char* out) {
    out[0] = hexDigits[(value >> 4) & 15];
    out[1] = hexDigits[value & 15];
}

void DwordToHex(uint32_t value, char* out) {
    for (int k = 0; k < 8; ++k) {
        out[k] = hexDigits[(value >> (28 - 4 * k)) & 15];
    }
}

void InsertThousandsSeparators(char* text) {
    char* run = text;
    while (*run != '\0' && !IsDecimalDigit(*run)) {
        ++run;
    }
    if (*run == '\0') {
        return;
    }
    char* runEnd = run;
    while (IsDecimalDigit(*runEnd)) {
        ++runEnd;
    }
    // 30 digits, 9 commas and the terminator fill the work buffer exactly; a longer run
    // (which no caller produces) is left as it is rather than losing digits.
    if (runEnd - run > MaxGroupedDigits) {
        return;
    }
    char work[ThousandsWorkSize];
    int length = 0;
    int copied = 0;
    // The run's length was checked above; the bound also lets the compiler see it.
    for (char* p = runEnd - 1; p >= run && length < ThousandsWorkSize - 1; --p) {
        work[length++] = *p;
        if (++copied % 3 == 0 && length < ThousandsWorkSize - 1) {
            work[length++] = ',';
        }
    }
    if (length > 0 && work[length - 1] == ',') {
        --length;
    }
    work[length] = '\0';
    Reverse(work, work + length - 1);
    for (int i = 0; i <= length; ++i) {
        run[i] = work[i];
    }
}

void FileNameOfPath(const wchar_t* path, wchar_t* out, int size) {
    if (size < 1) {
        return;
    }
    const wchar_t* name = path;
    for (const wchar_t* p = path; *p != L'\0'; ++p) {
        if (*p == L'\\' || *p == L':' || *p == L'/') {
            name = p + 1;
        }
    }
    int copied = 0;
    while (name[copied] != L'\0') {
        int length = OpensSurrogatePair(name + copied) ? 2 : 1;
        if (copied + length > size - 1) {
            break;
        }
        for (int i = 0; i < length; ++i) {
            out[copied] = name[copied];
            ++copied;
        }
    }
    out[copied] = L'\0';
}

// The last dot counts unless a '\\' or ':' comes after it.
void RemoveExtension(wchar_t* path) {
    wchar_t* dot = nullptr;
    for (wchar_t* p = path; *p != L'\0'; ++p) {
        if (*p == L'.') {
            dot = p;
        } else if (*p == L'\\' || *p == L':') {
            dot = nullptr;
        }
    }
    if (dot != nullptr) {
        *dot = L'\0';
    }
}

void FolderOfPath(const wchar_t* path, wchar_t* folder) {
    wcscpy(folder, path);
    wchar_t* cut = nullptr;
    for (wchar_t* p = folder; *p != L'\0'; ++p) {
        if (*p == L'\\' || *p == L'/' || *p == L':') {
            cut = p;
        }
    }
    if (cut == nullptr) {
        wcscpy(folder, L".");
    } else if (*cut == L':' || cut == folder || cut[-1] == L':') {
        // "C:" alone names the drive's current folder, not its root; keep the separator.
        cut[1] = L'\0';
    } else {
        *cut = L'\0';
    }
}

int SplitCommandLine(wchar_t* text, wchar_t** args, int slots) {
    if (slots <= 0) {
        return 0;
    }
    int count = 0;
    wchar_t* p = text;
    for (int i = 0; i < slots; ++i) {
        while (*p == L' ') {
            ++p;
        }
        wchar_t stop = L' ';
        if (*p == L'"') {
            stop = L'"';
            ++p;
        }
        args[i] = p;
        wchar_t* start = p;
        while (*p != L'\0' && *p != stop) {
            ++p;
        }
        if (p > start) {
            ++count;
        }
        if (*p != L'\0') {
            *p++ = L'\0';
        }
    }
    return count;
}

const char* FindChar(const char* text, int ch) {
    for (const char* p = text; *p != '\0'; ++p) {
        if (static_cast<signed char>(*p) == ch) {
            return p;
        }
    }
    return nullptr;
}

bool IsHexDigit(char ch) {
    signed char value = static_cast<signed char>(ch);
    return (value >= '0' && value <= '9') || (value >= 'A' && value <= 'F');
}

const char* ParseHexToken(const char* text, uint32_t* value) {
    *value = 0;
    const char* p = text;
    while (*p != '\0' && !IsHexDigit(*p)) {
        ++p;
    }
    if (*p == '\0') {
        return nullptr;
    }
    const char* first = p;
    while (IsHexDigit(*p)) {
        ++p;
    }
    uint32_t weight = 1;
    for (const char* digit = p - 1; digit >= first; --digit) {
        *value += static_cast<uint32_t>(HexDigitValue(*digit)) * weight;
        weight <<= 4;
    }
    while (*p != '\0' && !IsHexDigit(*p)) {
        ++p;
    }
    return p;
}

DecimalReading ReadDecimal(const char* text, uint32_t limit) {
    DecimalReading reading = {false, 0, false};
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) {
        ++p;
    }
    if (*p == '+' || *p == '-') {
        reading.negative = *p == '-';
        ++p;
    }
    for (; IsDecimalDigit(*p); ++p) {
        reading.magnitude = reading.magnitude * 10u + static_cast<uint32_t>(*p - '0');
        // Checked after every digit, before a wrap could bring the value back under the limit.
        reading.beyond = reading.beyond || reading.magnitude > limit;
    }
    return reading;
}

int32_t DecimalToInt(const char* text) {
    DecimalReading reading = ReadDecimal(text, UINT32_MAX);
    return static_cast<int32_t>(reading.negative ? 0u - reading.magnitude : reading.magnitude);
}
