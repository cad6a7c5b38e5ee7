#pragma once

#include <QLocale>

#include <string>

namespace vell3 {

// The table engine's short date format for a locale: the locale's short date
// order and separators, always with a four-digit year (a two-digit year would
// read back a century off for old rows), day and month as numbers.
std::string ShortDateFormatFor(const QLocale& locale);

// Sets the engine's short date format from the user's locale. Both programs
// call it at start, before any table is touched.
void UseLocaleShortDateFormat();

} // namespace vell3
