#include "LabelNumber.h"

#include "IntegerText.h"

namespace vell3 {

namespace {

constexpr const char* kServiceTypeCode = "71";
constexpr size_t kCustomerIdWidth = 9;
constexpr size_t kSerialWidth = 8;

// A field that parses as a number keeps its own text, leading zeros included;
// its leading blanks are positions of an entry field and count as zeros. A
// field with a sign or in hexadecimal cannot be summed digit by digit and
// counts as not a number.
std::string NumericField(std::string_view text, size_t width) {
    std::string field(text);
    bool digitsOnly = ParseInteger(text).has_value();
    for (char& c : field) {
        if (c == ' ') {
            c = '0';
        } else if (c < '0' || c > '9') {
            digitsOnly = false;
        }
    }
    if (!digitsOnly) {
        field = std::string(width, '0');
    }
    if (field.size() < width) {
        field.insert(0, width - field.size(), '0');
    }
    return field;
}

} // namespace

char Gs1CheckDigit(std::string_view digits) {
    unsigned sum = 0;
    bool weighThree = true;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        const unsigned digit = static_cast<unsigned>(*it - '0');
        sum += weighThree ? 3 * digit : digit;
        weighThree = !weighThree;
    }
    const unsigned last = sum % 10;
    return static_cast<char>('0' + (last == 0 ? 0 : 10 - last));
}

std::string BuildLabelNumber(std::string_view customerId, std::string_view serial) {
    const std::string body = std::string(kServiceTypeCode) +
                             NumericField(customerId, kCustomerIdWidth) +
                             NumericField(serial, kSerialWidth);
    return body + Gs1CheckDigit(body);
}

std::string GroupLabelNumber(std::string_view labelNumber) {
    std::string grouped;
    for (size_t group = 0; group < 5; ++group) {
        if (group > 0) {
            grouped += ' ';
        }
        const size_t start = group * 4;
        if (start < labelNumber.size()) {
            grouped += labelNumber.substr(start, 4);
        }
    }
    return grouped;
}

} // namespace vell3
