#include "LocaleDates.h"

#include "DbfDate.h"

#include <cctype>

namespace vell3 {

namespace {

constexpr const char* kFallbackFormat = "M/d/yyyy";

// The separators the engine reads between the numbers of a date.
bool IsReadableSeparator(QChar c) {
    return c == u'/' || c == u'.' || c == u'-' || c == u' ';
}

} // namespace

std::string ShortDateFormatFor(const QLocale& locale) {
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    std::string format;
    bool day = false;
    bool month = false;
    bool year = false;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) {
            ++run;
        }
        if (c == u'\'') {
            // Quoted literal text: left out, the date is numbers only.
            const qsizetype close = pattern.indexOf(u'\'', i + 1);
            i = close < 0 ? pattern.size() : close + 1;
            continue;
        }
        if (c == u'd' && run <= 2) {
            format.append(static_cast<std::size_t>(run), 'd');
            day = true;
        } else if (c == u'M') {
            format.append(run >= 2 ? "MM" : "M");
            month = true;
        } else if (c == u'y') {
            format.append("yyyy");
            year = true;
        } else if (c.isLetter()) {
            // Week-day names and the like: not part of a short date here.
        } else if (!format.empty()) {
            const char separator = IsReadableSeparator(c) ? static_cast<char>(c.unicode()) : '/';
            if (format.back() != separator) {
                format.push_back(separator);
            }
        }
        i += run;
    }
    while (!format.empty() && !std::isalpha(static_cast<unsigned char>(format.back()))) {
        format.pop_back();
    }
    if (!day || !month || !year) {
        return kFallbackFormat;
    }
    return format;
}

void UseLocaleShortDateFormat() {
    tables::SetShortDateFormat(ShortDateFormatFor(QLocale::system()));
}

} // namespace vell3
