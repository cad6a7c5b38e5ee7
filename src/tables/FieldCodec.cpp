#include "FieldCodec.h"

#include "Cp437.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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

std::string FormatNumber(double value, int length, int decimals) {
    if (!std::isfinite(value)) {
        return std::string(static_cast<size_t>(length), '*');
    }
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%*.*f", length, decimals, value);
    std::string text = buffer;
    if (text.size() > static_cast<size_t>(length)) {
        return std::string(static_cast<size_t>(length), '*');
    }
    return text;
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
    char* stop = nullptr;
    const double value = std::strtod(text.c_str(), &stop);
    if (stop == text.c_str() || !std::isfinite(value)) {
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
