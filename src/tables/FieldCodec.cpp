#include "FieldCodec.h"

#include "Cp437.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace vell3::tables {

std::string_view RawField(const std::string& record, const FieldInfo& field) {
    return std::string_view(record).substr(static_cast<size_t>(field.offset),
                                           static_cast<size_t>(field.length));
}

void PutRawField(std::string& record, const FieldInfo& field, std::string_view bytes) {
    const auto length = static_cast<size_t>(field.length);
    const std::string_view cut = bytes.substr(0, length);
    char* at = record.data() + field.offset;
    std::copy(cut.begin(), cut.end(), at);
    std::fill(at + cut.size(), at + length, ' ');
}

std::string DecodeText(std::string_view bytes, bool translate) {
    return translate ? Cp437ToUtf8(bytes) : std::string(bytes);
}

std::string EncodeText(std::string_view text, bool translate) {
    return translate ? Utf8ToCp437(text) : std::string(text);
}

std::string FormatFixed(double value, int decimals) {
    // Room for the largest double in fixed notation (309 digits), a sign,
    // the point and up to 255 decimals.
    char buffer[600];
    const int precision = std::clamp(decimals, 0, 255);
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    if (result.ec != std::errc()) {
        return {};
    }
    return std::string(buffer, result.ptr);
}

std::optional<double> ParseDecimal(std::string_view text, size_t& used) {
    used = 0;
    // from_chars takes no plus sign.
    const size_t start = !text.empty() && text[0] == '+' ? 1 : 0;
    if (start == 1 && text.size() > 1 && text[1] == '-') {
        return std::nullopt;
    }
    double value = 0;
    const auto result = std::from_chars(text.data() + start, text.data() + text.size(), value);
    if (result.ec == std::errc::invalid_argument) {
        return std::nullopt;
    }
    used = static_cast<size_t>(result.ptr - text.data());
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond a double: infinite, which no field can hold.
        const bool negative = text.substr(start, 1) == "-";
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    return value;
}

std::string FormatNumber(double value, int length, int decimals) {
    if (!std::isfinite(value)) {
        return std::string(static_cast<size_t>(length), '*');
    }
    std::string text = FormatFixed(value, decimals);
    if (text.empty() || text.size() > static_cast<size_t>(length)) {
        return std::string(static_cast<size_t>(length), '*');
    }
    return std::string(static_cast<size_t>(length) - text.size(), ' ') + text;
}

std::optional<double> ParseNumberField(std::string_view bytes) {
    std::string text(bytes);
    size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos) {
        return std::nullopt;
    }
    const size_t end = text.find_last_not_of(' ');
    text = text.substr(start, end - start + 1);
    // dBASE tools write a comma as the decimal point in some locales.
    for (char& c : text) {
        if (c == ',') {
            c = '.';
        }
    }
    size_t used = 0;
    const auto value = ParseDecimal(text, used);
    if (!value || !std::isfinite(*value)) {
        return std::nullopt;
    }
    return value;
}

bool ParseLogical(std::string_view bytes) {
    if (bytes.empty()) {
        return false;
    }
    const char c = bytes[0];
    return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

uint32_t ParseMemoBlock(std::string_view bytes) {
    uint64_t value = 0;
    bool digits = false;
    for (char c : bytes) {
        if (c == ' ' || c == '\0') {
            if (digits) {
                break;
            }
            continue;
        }
        if (c < '0' || c > '9') {
            return 0;
        }
        digits = true;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > UINT32_MAX) {
            return 0;
        }
    }
    return static_cast<uint32_t>(value);
}

std::string FormatMemoBlock(uint32_t block) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%10u", block);
    return buffer;
}

void BlankField(std::string& record, const FieldInfo& field) {
    switch (field.type) {
    case 'N':
    case 'F':
        PutRawField(record, field, FormatNumber(0, field.length, field.decimals));
        break;
    case 'L':
        PutRawField(record, field, "F");
        break;
    case 'M':
        PutRawField(record, field, field.length >= 10 ? FormatMemoBlock(0) : "0");
        break;
    default:
        PutRawField(record, field, "");
        break;
    }
}

} // namespace vell3::tables
