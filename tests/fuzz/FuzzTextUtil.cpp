// Feeds arbitrary bytes to the text routines that read user or command-line text, checking
// that each stays inside its buffer and keeps its documented shape, and that the readers of
// numbers agree with references written here on their own.
#include "framework/TextUtil.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
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

    // The path routines and the splitter take UTF-16: each pair of bytes gives one unit, so lone
    // and paired surrogates come up as often as separators.
    std::vector<wchar_t> wide;
    for (size_t i = 0; i + 1 < size; i += 2) {
        wide.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    }
    wide.push_back(L'\0');

    std::vector<wchar_t> split = wide;
    wchar_t* args[3];
    int count = SplitCommandLine(split.data(), args, 3);
    if (count < 0 || count > 3) {
        abort();
    }
    for (wchar_t* arg : args) {
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

    std::vector<wchar_t> path = wide;
    RemoveExtension(path.data());
    if (wcslen(path.data()) > wcslen(wide.data())) {
        abort();
    }
    std::vector<wchar_t> folder(wide.size() + 2);
    FolderOfPath(wide.data(), folder.data());
    if (wcslen(folder.data()) > wcslen(wide.data()) + 1) {
        abort();
    }
    wchar_t name[60];
    FileNameOfPath(wide.data(), name, 60);
    size_t kept = wcslen(name);
    const wchar_t* whole = wide.data();
    for (const wchar_t* p = wide.data(); *p != L'\0'; ++p) {
        if (*p == L'\\' || *p == L'/' || *p == L':') {
            whole = p + 1;
        }
    }
    // The name is the start of the last part, and one cut short never ends in the first half of
    // a surrogate pair.
    if (kept >= 60 || wcsncmp(whole, name, kept) != 0 ||
        (kept > 0 && name[kept - 1] >= 0xD800 && name[kept - 1] <= 0xDBFF && whole[kept] >= 0xDC00 &&
         whole[kept] <= 0xDFFF)) {
        abort();
    }
    if (DecimalToInt(text.data()) != ReferenceDecimal(text.data())) {
        abort();
    }
    return 0;
}
