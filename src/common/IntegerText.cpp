#include "IntegerText.h"

#include "UserError.h"

namespace vell3 {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    bool hex = false;
    if (pos < text.size() && text[pos] == '$') {
        hex = true;
        ++pos;
    } else if (pos + 1 < text.size() && text[pos] == '0' &&
               (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        hex = true;
        pos += 2;
    }
    if (pos >= text.size()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    for (; pos < text.size(); ++pos) {
        const int digit = hex ? HexValue(text[pos])
                              : (text[pos] >= '0' && text[pos] <= '9' ? text[pos] - '0' : -1);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * (hex ? 16u : 10u) + static_cast<unsigned>(digit);
        if (value > limit) {
            return std::nullopt;
        }
    }
    auto bits = static_cast<std::uint32_t>(value);
    if (negative) {
        bits = 0u - bits;
    }
    return static_cast<std::int32_t>(bits);
}

std::string InvalidIntegerMessage(std::string_view text) {
    // Appended piece by piece: GCC 12 takes "literal" + std::string&& at -O3 for
    // an overlapping copy (-Wrestrict).
    std::string message(1, '\'');
    message.append(text).append("' is not a valid integer value");
    return message;
}

std::int32_t ParseIntegerOrThrow(std::string_view text) {
    const auto value = ParseInteger(text);
    if (!value) {
        throw UserError(InvalidIntegerMessage(text));
    }
    return *value;
}

} // namespace vell3
