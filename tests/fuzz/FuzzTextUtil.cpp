// Feeds arbitrary bytes to the text routines that read user or command-line text, checking
// that each stays inside its buffer and keeps its documented shape.
#include "framework/TextUtil.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

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
        if (next != nullptr && next <= token) {
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
    DecimalToInt(text.data());
    return 0;
}
