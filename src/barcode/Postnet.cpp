#include "Postnet.h"

#include <array>

namespace vell3 {

namespace {

// Full (1) and half (0) bars of the digits 0 to 9, each with two full bars.
constexpr std::array<std::string_view, 10> kDigitBars = {
    "11000", "00011", "00101", "00110", "01001", "01010", "01100", "10001", "10010", "10100",
};

} // namespace

char PostnetCheckDigit(std::string_view digits) {
    int sum = 0;
    for (const char c : digits) {
        sum += c - '0';
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

std::vector<bool> PostnetBars(std::string_view digits) {
    std::string withCheck(digits);
    withCheck.push_back(PostnetCheckDigit(digits));
    std::vector<bool> bars;
    bars.reserve(withCheck.size() * 5 + 2);
    bars.push_back(true);
    for (const char c : withCheck) {
        for (const char bar : kDigitBars[static_cast<std::size_t>(c - '0')]) {
            bars.push_back(bar == '1');
        }
    }
    bars.push_back(true);
    return bars;
}

} // namespace vell3
