#include "DbfDate.h"

#include "DatasetError.h"

#include <cstdio>
#include <ctime>

namespace vell3::tables {

namespace {

// Two-digit years fall within 50 years either side of the current one.
constexpr int kTwoDigitWindow = 50;

std::string& Format() {
    static std::string format = "M/d/yyyy";
    return format;
}

int CurrentYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// The order of day, month and year in the format, as letters 'd', 'M', 'y'.
std::string FieldOrder() {
    std::string order;
    for (char c : Format()) {
        if ((c == 'd' || c == 'M' || c == 'y') && order.find(c) == std::string::npos) {
            order.push_back(c);
        }
    }
    return order.size() == 3 ? order : "Mdy";
}

[[noreturn]] void NotADate(std::string_view text) {
    throw DatasetError("'" + std::string(text) + "' is not a valid date");
}

} // namespace

bool IsValidDate(const DbfDate& date) {
    return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
           date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

std::optional<DbfDate> DateFromDigits(std::string_view bytes) {
    if (bytes.size() < 8) {
        return std::nullopt;
    }
    int value[8];
    for (int i = 0; i < 8; ++i) {
        const char c = bytes[static_cast<size_t>(i)];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value[i] = c - '0';
    }
    DbfDate date{value[0] * 1000 + value[1] * 100 + value[2] * 10 + value[3],
                 value[4] * 10 + value[5], value[6] * 10 + value[7]};
    if (!IsValidDate(date)) {
        return std::nullopt;
    }
    return date;
}

std::string DateDigits(const std::optional<DbfDate>& date) {
    if (!date || !IsValidDate(*date)) {
        return std::string(8, ' ');
    }
    // A valid date's parts are small and not negative: digits without printf.
    std::string digits(8, '0');
    const auto put = [&digits](int value, size_t end, size_t width) {
        for (size_t i = 0; i < width; ++i, value /= 10) {
            digits[end - 1 - i] = static_cast<char>('0' + value % 10);
        }
    };
    put(date->year, 4, 4);
    put(date->month, 6, 2);
    put(date->day, 8, 2);
    return digits;
}

void SetShortDateFormat(std::string format) {
    Format() = std::move(format);
}

const std::string& ShortDateFormat() {
    return Format();
}

std::optional<DbfDate> ParseShortDate(std::string_view text) {
    if (text.find_first_not_of(' ') == std::string_view::npos) {
        return std::nullopt;
    }
    // Numbers separated by anything that is not a digit (the format's
    // separator, or blanks around it).
    int numbers[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int count = 0;
    bool inNumber = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (!inNumber) {
                if (count == 3) {
                    NotADate(text);
                }
                ++count;
                inNumber = true;
            }
            if (++digits[count - 1] > 4) {
                NotADate(text);
            }
            numbers[count - 1] = numbers[count - 1] * 10 + (c - '0');
        } else {
            if (c != ' ' && c != '/' && c != '.' && c != '-') {
                NotADate(text);
            }
            inNumber = false;
        }
    }
    const std::string order = FieldOrder();
    DbfDate date;
    int yearDigits = 4;
    if (count == 3) {
        for (int i = 0; i < 3; ++i) {
            switch (order[static_cast<size_t>(i)]) {
            case 'd':
                date.day = numbers[i];
                break;
            case 'M':
                date.month = numbers[i];
                break;
            default:
                date.year = numbers[i];
                yearDigits = digits[i];
                break;
            }
        }
    } else if (count == 2) {
        // Without a year: day and month in the format's order, this year.
        const bool dayFirst = order.find('d') < order.find('M');
        date.day = dayFirst ? numbers[0] : numbers[1];
        date.month = dayFirst ? numbers[1] : numbers[0];
        date.year = CurrentYear();
    } else {
        NotADate(text);
    }
    if (yearDigits <= 2) {
        const int now = CurrentYear();
        int year = now / 100 * 100 + date.year;
        if (year > now + kTwoDigitWindow) {
            year -= 100;
        } else if (year <= now - kTwoDigitWindow) {
            year += 100;
        }
        date.year = year;
    }
    if (!IsValidDate(date)) {
        NotADate(text);
    }
    return date;
}

std::string FormatShortDate(const DbfDate& date) {
    std::string out;
    const std::string& format = Format();
    size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        size_t run = 1;
        while (i + run < format.size() && format[i + run] == c) {
            ++run;
        }
        char buffer[16];
        if (c == 'd') {
            std::snprintf(buffer, sizeof buffer, run >= 2 ? "%02d" : "%d", date.day);
            out += buffer;
        } else if (c == 'M') {
            std::snprintf(buffer, sizeof buffer, run >= 2 ? "%02d" : "%d", date.month);
            out += buffer;
        } else if (c == 'y') {
            if (run <= 2) {
                std::snprintf(buffer, sizeof buffer, "%02d", date.year % 100);
            } else {
                std::snprintf(buffer, sizeof buffer, "%04d", date.year);
            }
            out += buffer;
        } else {
            out.append(run, c);
        }
        i += run;
    }
    return out;
}

} // namespace vell3::tables
