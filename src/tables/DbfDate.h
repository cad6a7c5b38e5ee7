#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vell3::tables {

// A calendar date as a D field holds it ("YYYYMMDD"; eight blanks for none).
struct DbfDate {
    int year = 0;
    int month = 0;
    int day = 0;

    friend bool operator==(const DbfDate&, const DbfDate&) = default;
};

bool IsValidDate(const DbfDate& date);
// The date in a D field; nothing for an empty or unreadable field.
std::optional<DbfDate> DateFromDigits(std::string_view bytes);
std::string DateDigits(const std::optional<DbfDate>& date); // "YYYYMMDD" or 8 blanks

// The system's short date format the program reads and writes dates in, with
// the letters d, dd, M, MM, yy, yyyy and separators ("M/d/yyyy"). The
// desktop program sets it from its locale; the default is the US form.
void SetShortDateFormat(std::string format);
const std::string& ShortDateFormat();

// Reads a date in the short date format: the day, month and year numbers in
// the format's order, separated by the format's separator; the year may be
// left out (this year) or given with two digits. An empty or all-blank text
// is no date. Throws DatasetError "'<text>' is not a valid date".
std::optional<DbfDate> ParseShortDate(std::string_view text);
std::string FormatShortDate(const DbfDate& date);

} // namespace vell3::tables
