#include "Code128.h"

#include <array>
#include <stdexcept>

namespace vell3 {

namespace {

// Element widths (bar, space, bar, ...) of the 107 symbol characters, from the
// Code 128 symbol character table of ISO/IEC 15417.
constexpr std::array<std::string_view, 107> kWidths = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312",  "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122",  "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122",  "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123",  "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331",  "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311",  "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411",  "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412",  "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",  "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211",  "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113",  "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112",
};

// The modules spelt out once from the widths.
const std::array<std::string, 107>& Patterns() {
    static const std::array<std::string, 107> patterns = [] {
        std::array<std::string, 107> result;
        for (std::size_t v = 0; v < kWidths.size(); ++v) {
            char module = '1';
            for (const char width : kWidths[v]) {
                result[v].append(static_cast<std::size_t>(width - '0'), module);
                module = module == '1' ? '0' : '1';
            }
        }
        return result;
    }();
    return patterns;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

unsigned char Code(char c) {
    return static_cast<unsigned char>(c);
}

bool IsControl(char c) {
    return Code(c) >= 1 && Code(c) < 32;
}

bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}

bool Encodable(char c) {
    return Code(c) >= 1 && Code(c) <= 127;
}

std::size_t DigitRun(std::string_view text, std::size_t from) {
    std::size_t n = 0;
    while (from + n < text.size() && IsDigit(text[from + n])) {
        ++n;
    }
    return n;
}

enum class CodeSet { A, B, C };

// Code set A holds the controls and upper case, B upper and lower case; both
// hold the space, digits and punctuation.
bool InSet(CodeSet set, char c) {
    if (set == CodeSet::A) {
        return Code(c) < 96;
    }
    return Code(c) >= 32;
}

int ValueIn(CodeSet set, char c) {
    if (set == CodeSet::A && Code(c) < 32) {
        return Code(c) + 64;
    }
    return Code(c) - 32;
}

CodeSet SetFor(std::string_view text, std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (IsControl(text[i])) {
            return CodeSet::A;
        }
        if (IsLower(text[i])) {
            return CodeSet::B;
        }
    }
    return CodeSet::B;
}

} // namespace

std::vector<int> EncodeCode128(std::string_view input) {
    std::string text;
    for (const char c : input) {
        if (Encodable(c)) {
            text.push_back(c);
        }
    }
    std::vector<int> symbols;
    CodeSet set = DigitRun(text, 0) > 3 ? CodeSet::C : SetFor(text, 0);
    symbols.push_back(set == CodeSet::C   ? kCode128StartC
                      : set == CodeSet::A ? kCode128StartA
                                          : kCode128StartB);
    std::size_t i = 0;
    while (i < text.size()) {
        if (set == CodeSet::C) {
            if (DigitRun(text, i) >= 2) {
                symbols.push_back((text[i] - '0') * 10 + (text[i + 1] - '0'));
                i += 2;
                continue;
            }
            set = SetFor(text, i);
            symbols.push_back(set == CodeSet::A ? kCode128CodeA : kCode128CodeB);
        }
        if (!InSet(set, text[i])) {
            set = set == CodeSet::A ? CodeSet::B : CodeSet::A;
            symbols.push_back(set == CodeSet::A ? kCode128CodeA : kCode128CodeB);
        }
        symbols.push_back(ValueIn(set, text[i]));
        ++i;
    }
    long sum = symbols.front();
    for (std::size_t pos = 1; pos < symbols.size(); ++pos) {
        sum += static_cast<long>(pos) * symbols[pos];
    }
    symbols.push_back(static_cast<int>(sum % kCode128CheckModulus));
    symbols.push_back(kCode128Stop);
    return symbols;
}

std::string_view Code128Pattern(int value) {
    if (value < 0 || value > kCode128Stop) {
        throw std::out_of_range("Code 128 has no symbol character " + std::to_string(value));
    }
    return Patterns()[static_cast<std::size_t>(value)];
}

} // namespace vell3
