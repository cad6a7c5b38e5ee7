#include "NameAddressLine.h"

#include "Text.h"

namespace vell3::addresses {

namespace {

constexpr char kQuote = '"';
constexpr char kSeparator = ',';

// The fields after which the rest of the line must still hold a comma (the
// first five); the sixth is followed by an added one.
constexpr size_t kFieldsNeedingAComma = 5;
constexpr size_t kFieldBeforeAddedComma = 6;

std::string UndoubleQuotes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        out.push_back(text[i]);
        if (text[i] == kQuote && i + 1 < text.size() && text[i + 1] == kQuote) {
            ++i;
        }
    }
    return out;
}

} // namespace

NameAddressLine ReadNameAddressLine(std::string_view line) {
    NameAddressLine fields;
    if (line.find(kSeparator) == std::string_view::npos) {
        return fields;
    }
    // The rest of the line as reading goes on; after the sixth field it gets
    // a comma at its end, so that the seventh may end the line.
    std::string rest(line);
    size_t at = 0;
    for (size_t i = 0; i < kNameAddressFieldCount; ++i) {
        if (i == kFieldBeforeAddedComma) {
            rest.push_back(kSeparator);
        }
        const std::string_view left = std::string_view(rest).substr(at);
        if (!left.empty() && left.front() == kQuote) {
            // The first double quote that is followed by a comma closes the
            // field; without one the field is empty and only the opening
            // quote is passed over.
            size_t close = left.find("\",", 1);
            if (close != std::string_view::npos) {
                fields[i] = UndoubleQuotes(left.substr(1, close - 1));
                at += close + 2;
            } else {
                at += 1;
            }
        } else {
            const size_t comma = left.find(kSeparator);
            if (comma == std::string_view::npos) {
                // Only the seventh field can get here (the comma checks below
                // and the added comma see to that), and it is then the rest.
                fields[i] = std::string(left);
                at = rest.size();
            } else {
                fields[i] = std::string(left.substr(0, comma));
                at += comma + 1;
            }
        }
        if (i < kFieldsNeedingAComma &&
            std::string_view(rest).substr(at).find(kSeparator) == std::string_view::npos) {
            return NameAddressLine{};
        }
    }
    return fields;
}

std::string WriteNameAddressLine(const NameAddressLine& fields) {
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out.push_back(kSeparator);
        }
        out.push_back(kQuote);
        for (char c : Trim(fields[i])) {
            if (c == '\r' || c == '\n') {
                // A line break inside a value (possible in a text field of a
                // table made elsewhere) would split the record in two.
                c = ' ';
            }
            out.push_back(c);
            if (c == kQuote) {
                out.push_back(kQuote);
            }
        }
        out.push_back(kQuote);
    }
    out += "\r\n";
    return out;
}

} // namespace vell3::addresses
