#pragma once
// The bytes and patterns the benchmark searches, shared by the benchmark that runs under Wine and
// the native anchor program, so that both scan exactly the same data. Free of the window system.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace benchdata {

const uint32_t MiB = 1024 * 1024;
const uint32_t SearchBytes = 256 * MiB;

const uint32_t RandomMultiplier = 1664525u;
const uint32_t RandomIncrement = 1013904223u;

// Text-like bytes: letters of both cases, spaces and line breaks, never '#' nor 0xFF, so the
// ordinary patterns below are absent while their first bytes keep turning up.
class TextGenerator {
public:
    TextGenerator() : state_(1), column_(0) {}

    void Fill(uint8_t* bytes, uint32_t count) {
        for (uint32_t i = 0; i < count; ++i) {
            bytes[i] = Next();
        }
    }

private:
    static const int LineLength = 72;
    static const int UppercaseOneIn = 8;
    static const int SpaceOneIn = 6;
    static const int RandomShift = 24;

    uint8_t Next() {
        if (++column_ == LineLength) {
            column_ = 0;
            return '\n';
        }
        state_ = state_ * RandomMultiplier + RandomIncrement;
        uint32_t value = state_ >> RandomShift;
        if (value % SpaceOneIn == 0) {
            return ' ';
        }
        char letter = static_cast<char>('a' + value % 26);
        if ((value / 26) % UppercaseOneIn == 0) {
            letter = static_cast<char>(letter - 'a' + 'A');
        }
        return static_cast<uint8_t>(letter);
    }

    uint32_t state_;
    int column_;
};

// What a search case scans.
enum class Data {
    Text,                // TextGenerator's bytes
    RunOfA,              // 'a' only
    RunOfUpperA,         // 'A' only
    Zeros,               // 0x00 only
    TwoLetters,          // 'a' and 'b' at random, never four 'b' in a row
    TwoLettersBothCases, // the same letters, each in either case at random
    AbRepeated,          // "abab..."
    AbRepeatedUpperA,    // "AbAb..."
};

const int MaxRunOfB = 3;

// Fills count bytes; the same data and count always give the same bytes.
inline void Fill(Data data, uint8_t* bytes, uint32_t count) {
    switch (data) {
    case Data::Text: {
        TextGenerator generator;
        generator.Fill(bytes, count);
        return;
    }
    case Data::RunOfA: memset(bytes, 'a', count); return;
    case Data::RunOfUpperA: memset(bytes, 'A', count); return;
    case Data::Zeros: memset(bytes, 0, count); return;
    case Data::TwoLetters:
    case Data::TwoLettersBothCases: {
        uint32_t state = 1;
        int runOfB = 0;
        for (uint32_t i = 0; i < count; ++i) {
            state = state * RandomMultiplier + RandomIncrement;
            bool b = (state >> 31) != 0 && runOfB < MaxRunOfB;
            runOfB = b ? runOfB + 1 : 0;
            uint8_t letter = b ? 'b' : 'a';
            if (data == Data::TwoLettersBothCases && ((state >> 30) & 1) != 0) {
                letter = static_cast<uint8_t>(letter - 'a' + 'A');
            }
            bytes[i] = letter;
        }
        return;
    }
    case Data::AbRepeated:
    case Data::AbRepeatedUpperA: {
        uint8_t even = data == Data::AbRepeated ? 'a' : 'A';
        for (uint32_t i = 0; i < count; ++i) {
            bytes[i] = (i % 2 == 0) ? even : 'b';
        }
        return;
    }
    }
}

struct SearchCase {
    const char* name;
    Data data;
    std::vector<uint8_t> pattern;  // already folded when fold is set
    bool fold;
    // Adversarial cases plant the pattern, in the planted form, in the last bytes of the data,
    // so the one match is at the very end; ordinary cases have no match at all.
    bool adversarial;
    std::vector<uint8_t> planted;
};

inline std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

// A run of count copies of value with other at position at.
inline std::vector<uint8_t> RunWith(uint8_t value, int count, int at, uint8_t other) {
    std::vector<uint8_t> bytes(count, value);
    bytes[at] = other;
    return bytes;
}

// Upper-cases every other letter, starting with the first.
inline std::vector<uint8_t> MixedCase(std::vector<uint8_t> bytes) {
    for (size_t i = 0; i < bytes.size(); i += 2) {
        if (bytes[i] >= 'a' && bytes[i] <= 'z') {
            bytes[i] = static_cast<uint8_t>(bytes[i] - 'a' + 'A');
        }
    }
    return bytes;
}

const int LongPattern = 21;
const uint8_t AbsentByte = 0xFF;

inline std::vector<SearchCase> SearchCases() {
    // Twenty-one letters of 'a' and 'b' holding four 'b' in a row, which the data never has.
    const std::vector<uint8_t> twoLetters = Bytes("abaababbabbbbaabababa");
    // "abab..." broken by "bb" in the middle.
    const std::vector<uint8_t> brokenAb = Bytes("abababababbababababab");
    std::vector<SearchCase> cases = {
        {"text_case_sensitive", Data::Text, Bytes("needle#haystack"), false, false, {}},
        {"text_case_insensitive", Data::Text, Bytes("needle#haystack"), true, false, {}},
        {"hex_1", Data::Text, {AbsentByte}, false, false, {}},
        {"hex_4", Data::Text, Bytes("the\xFF"), false, false, {}},
        {"hex_21", Data::Text, Bytes("the quick brown fox \xFF"), false, false, {}},
        {"run_a_b_first", Data::RunOfA, RunWith('a', LongPattern, 0, 'b'), false, true, {}},
        {"run_a_b_middle", Data::RunOfA, RunWith('a', LongPattern, LongPattern / 2, 'b'), false, true, {}},
        {"run_a_b_next_to_last", Data::RunOfA, RunWith('a', LongPattern, LongPattern - 2, 'b'), false, true, {}},
        {"run_a_b_last", Data::RunOfA, RunWith('a', LongPattern, LongPattern - 1, 'b'), false, true, {}},
        {"zeros_hex_7", Data::Zeros, RunWith(0, 7, 3, 1), false, true, {}},
        {"zeros_hex_21", Data::Zeros, RunWith(0, LongPattern, LongPattern / 2, 1), false, true, {}},
        {"two_letters", Data::TwoLetters, twoLetters, false, true, {}},
        {"ab_repeated", Data::AbRepeated, brokenAb, false, true, {}},
        {"fold_run_a_b_middle", Data::RunOfUpperA, RunWith('a', LongPattern, LongPattern / 2, 'b'), true, true, {}},
        {"fold_run_a_b_next_to_last", Data::RunOfUpperA, RunWith('a', LongPattern, LongPattern - 2, 'b'), true, true,
         {}},
        {"fold_two_letters", Data::TwoLettersBothCases, twoLetters, true, true, {}},
        {"fold_ab_repeated", Data::AbRepeatedUpperA, brokenAb, true, true, {}},
    };
    for (SearchCase& c : cases) {
        c.planted = c.fold ? MixedCase(c.pattern) : c.pattern;
    }
    return cases;
}

// Where the one match of a case lies in data of size bytes, or -1 for none. Each adversarial
// pattern holds something its data never has (a 'b' or 0x01 amid a run, four 'b' in a row, "bb"
// amid "abab"), so the planted copy is its only match.
inline int64_t ExpectedMatch(const SearchCase& c, uint32_t size) {
    return c.adversarial ? static_cast<int64_t>(size) - static_cast<int64_t>(c.pattern.size()) : -1;
}

// The data of a case with its pattern planted at the end.
inline void FillCase(const SearchCase& c, uint8_t* bytes, uint32_t size) {
    Fill(c.data, bytes, size);
    if (c.adversarial) {
        memcpy(bytes + size - c.planted.size(), c.planted.data(), c.planted.size());
    }
}

}  // namespace benchdata
