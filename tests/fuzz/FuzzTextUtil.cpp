// Feeds arbitrary bytes to the text routines that read user or command-line text, checking
// that each stays inside its buffer and keeps its documented shape, and that the readers of
// numbers agree with references written here on their own.
#include "framework/TextUtil.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char hexDigitText[] = "0123456789ABCDEF";
const char decimalDigitText[] = "0123456789";
const char spaceText[] = " \t\n\v\f\r";

// The value of the digits in [from, to) in the base of digitText's length, modulo 2^32.
uint32_t ReferenceDigits(const char* from, const char* to, const char* digitText) {
    uint64_t value = 0;
    uint64_t base = strlen(digitText);
    for (const char* p = from; p < to; ++p) {
        value = (value * base + static_cast<uint64_t>(strchr(digitText, *p) - digitText)) & UINT32_MAX;
    }
    return static_cast<uint32_t>(value);
}

// Skips to the first hex digit, reads the run of them, then skips to the next digit.
const char* ReferenceHexToken(const char* text, uint32_t* value) {
    const char* digits = text + strcspn(text, hexDigitText);
    *value = 0;
    if (*digits == '\0') {
        return nullptr;
    }
    const char* end = digits + strspn(digits, hexDigitText);
    *value = ReferenceDigits(digits, end, hexDigitText);
    return end + strcspn(end, hexDigitText);
}

int32_t ReferenceDecimal(const char* text) {
    const char* p = text + strspn(text, spaceText);
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') {
        ++p;
    }
    uint32_t magnitude = ReferenceDigits(p, p + strspn(p, decimalDigitText), decimalDigitText);
    return static_cast<int32_t>(negative ? ~magnitude + 1u : magnitude);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<char> text(data, data + size);
    text.push_back('\0');

    std::vector<char> split = text;
    char* args[3];
    int count = SplitCommandLine(split.data(), args, 3);
    if (count < 0 || count > 3) {
        abort();
    }
    for (char* arg : args) {
        if (arg < split.data() || arg >= split.data() + split.size()) {
            abort();
        }
    }

    const char* token = text.data();
    uint32_t value = 0;
    while (token != nullptr && *token != '\0') {
        const char* next = ParseHexToken(token, &value);
        uint32_t expected = 0;
        if ((next != nullptr && next <= token) || next != ReferenceHexToken(token, &expected) ||
            (next != nullptr && value != expected)) {
            abort();
        }
        token = next;
    }

    int32_t number = 0;
    memcpy(&number, data, size < sizeof(number) ? size : sizeof(number));
    for (int base : {10, 16}) {
        char digits[20];
        NumberToText(number, digits, base);
        char grouped[64];
        strcpy(grouped, digits);
        InsertThousandsSeparators(grouped);
        if (strlen(grouped) > 14) {
            abort();
        }
    }

    std::vector<char> path = text;
    RemoveExtension(path.data());
    char name[60];
    FileNameOfPath(text.data(), name, sizeof(name));
    if (strlen(name) >= sizeof(name)) {
        abort();
    }
    if (DecimalToInt(text.data()) != ReferenceDecimal(text.data())) {
        abort();
    }
    return 0;
}
