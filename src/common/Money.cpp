#include "Money.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace vell3 {

namespace {

int LeadingSpacesFor(double amount) {
    if (amount >= 100000) {
        return 1;
    }
    if (amount >= 10000) {
        return 3;
    }
    if (amount >= 1000) {
        return 5; // five, not four: the thousands line up with the hundreds this way
    }
    if (amount >= 100) {
        return 6;
    }
    if (amount >= 10) {
        return 8;
    }
    return 10;
}

// The general decimal text: up to 15 significant digits, no trailing zeros,
// exponent form ("1.5E20", "1E-7") only far outside the money range.
std::string GeneralText(double amount) {
    if (amount == 0) {
        return "0";
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", amount);
    std::string text(buffer);
    const auto e = text.find('e');
    if (e == std::string::npos) {
        return text;
    }
    std::string mantissa = text.substr(0, e);
    std::string exponent = text.substr(e + 1);
    std::string sign;
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
        if (exponent[0] == '-') {
            sign = "-";
        }
        exponent.erase(0, 1);
    }
    while (exponent.size() > 1 && exponent[0] == '0') {
        exponent.erase(0, 1);
    }
    return mantissa + "E" + sign + exponent;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string FormatMoney(double amount) {
    std::string text = GeneralText(amount);
    const auto point = text.find('.');
    if (point == std::string::npos) {
        text += ".00";
    } else if (text.size() - point - 1 == 1) {
        text += "0";
    }
    return std::string(static_cast<size_t>(LeadingSpacesFor(amount)), ' ') + text;
}

std::optional<double> ReadMoneyNumber(std::string_view text) {
    size_t pos = 0;
    const auto skipBlanks = [&] {
        while (pos < text.size() && text[pos] == ' ') {
            ++pos;
        }
    };
    skipBlanks();
    const size_t start = pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    size_t digits = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
        ++digits;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && IsDigit(text[pos])) {
            ++pos;
            ++digits;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            ++pos;
        }
        size_t exponentDigits = 0;
        while (pos < text.size() && IsDigit(text[pos])) {
            ++pos;
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    const size_t end = pos;
    skipBlanks();
    if (pos != text.size()) {
        return std::nullopt;
    }
    // from_chars takes no leading "+".
    std::string number(text.substr(start, end - start));
    if (number[0] == '+') {
        number.erase(0, 1);
    }
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc() || result.ptr != number.data() + number.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string FeeFieldText(std::string_view typed) {
    const auto value = ReadMoneyNumber(typed);
    if (value && *value > 0) {
        return FormatMoney(*value);
    }
    return kBlankMoney;
}

std::string FeeTotalText(const std::array<std::string, 4>& feeTexts) {
    double total = 0;
    for (const std::string& text : feeTexts) {
        if (const auto value = ReadMoneyNumber(text)) {
            total += *value;
        }
    }
    return FormatMoney(total);
}

} // namespace vell3
