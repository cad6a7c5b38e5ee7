#include "AddressText.h"

#include "Text.h"
#include "Zip.h"

#include <algorithm>

namespace vell3 {

namespace {

constexpr size_t kNameLines = 4;

// Characters first..last (1-based, inclusive) of `line`, clipped to the line.
std::u32string Cut(const std::u32string& line, long first, long last) {
    const long size = static_cast<long>(line.size());
    first = std::max(first, 1L);
    last = std::min(last, size);
    if (first > last) {
        return {};
    }
    return line.substr(static_cast<size_t>(first - 1), static_cast<size_t>(last - first + 1));
}

// The character at 1-based position k, or 0 where the line holds none.
char32_t At(const std::u32string& line, long k) {
    if (k < 1 || k > static_cast<long>(line.size())) {
        return 0;
    }
    return line[static_cast<size_t>(k - 1)];
}

// Puts `cityLine` into the first of four lines that is blank, else fifth.
std::array<std::string, 5> WithCityLine(const std::array<std::string, kNameLines>& lines,
                                        const std::string& cityLine) {
    std::array<std::string, 5> out;
    bool placed = false;
    for (size_t i = 0; i < kNameLines; ++i) {
        if (!placed && Trim(lines[i]).empty()) {
            out[i] = cityLine;
            placed = true;
        } else {
            out[i] = lines[i];
        }
    }
    if (!placed) {
        out[4] = cityLine;
    }
    return out;
}

} // namespace

std::vector<std::string> SplitPastedLines(std::string_view text) {
    std::string t(text);
    if (t.empty()) {
        return {};
    }
    if (t.back() != '\n' && t.back() != '\r') {
        t += "\r\n";
    }
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i + 1 < t.size()) {
        const char a = t[i];
        const char b = t[i + 1];
        if ((a == '\r' && b == '\n') || (a == '\n' && b == '\r')) {
            lines.push_back(t.substr(start, i - start));
            i += 2;
            start = i;
        } else {
            ++i;
        }
    }
    return lines;
}

std::string WithWindowsLineBreaks(std::string_view clipboardText) {
    if (clipboardText.find('\r') != std::string_view::npos) {
        return std::string(clipboardText);
    }
    std::string text;
    text.reserve(clipboardText.size() + clipboardText.size() / 8);
    for (const char c : clipboardText) {
        if (c == '\n') {
            text += '\r';
        }
        text += c;
    }
    return text;
}

std::optional<PastedAddress> ParsePastedAddress(std::string_view text) {
    const std::vector<std::string> lines = SplitPastedLines(text);
    if (lines.empty()) {
        return std::nullopt;
    }
    const std::u32string city = Utf8ToU32(lines.back());
    const long length = static_cast<long>(city.size());

    std::u32string zip;
    const auto dash = city.find(U'-');
    if (dash != std::u32string::npos) {
        const long first = static_cast<long>(dash) + 1 - 5;
        zip = Cut(city, first, first + 9);
    } else {
        zip = Cut(city, length - 4, length);
    }

    long k = length - static_cast<long>(zip.size());
    while (At(city, k) == U' ') {
        --k;
    }
    const std::u32string state = Cut(city, k - 1, k);
    k -= 2;
    while (At(city, k) == U' ' || At(city, k) == U',') {
        --k;
    }

    PastedAddress result;
    result.city = U32ToUtf8(Cut(city, 1, k));
    result.state = U32ToUtf8(state);
    result.zip = U32ToUtf8(zip);
    for (size_t i = 0; i + 1 < lines.size() && i < kNameLines; ++i) {
        result.nameLines.push_back(lines[i]);
    }
    return result;
}

std::array<std::string, 5> SenderLines(const AppSettings& settings) {
    const std::string cityLine =
        Trim(settings.YourCity + " " + settings.YourState + " " + settings.YourZip);
    return WithCityLine(
        {settings.YourLine1, settings.YourLine2, settings.YourLine3, settings.YourLine4}, cityLine);
}

std::array<std::string, 5> RecipientLines(const std::vector<std::string>& nameLines,
                                          std::string_view city, std::string_view state,
                                          std::string_view zip) {
    std::array<std::string, kNameLines> lines;
    for (size_t i = 0; i < kNameLines && i < nameLines.size(); ++i) {
        lines[i] = nameLines[i];
    }
    const std::string cityLine = Trim(city) + " " + Trim(state) + " " + NormalizeZip(zip);
    return WithCityLine(lines, cityLine);
}

} // namespace vell3
