// The engine's short date format taken from the locale: always a four-digit
// year, and a date written in it reads back as the same day.

#include "LocaleDates.h"
#include "DbfDate.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vell3 {
namespace {

class LocaleDatesTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = tables::ShortDateFormat(); }
    void TearDown() override { tables::SetShortDateFormat(previous_); }

private:
    std::string previous_;
};

struct LocaleCase {
    const char* locale;
    const char* format;
};

class ShortDateFormatTest : public LocaleDatesTest,
                            public ::testing::WithParamInterface<LocaleCase> {};

TEST_P(ShortDateFormatTest, KeepsTheLocalesOrderWithAFourDigitYear) {
    EXPECT_EQ(ShortDateFormatFor(QLocale(QString::fromLatin1(GetParam().locale))),
              GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(Locales, ShortDateFormatTest,
                         ::testing::Values(LocaleCase{"en_US", "M/d/yyyy"},
                                           LocaleCase{"en_GB", "dd/MM/yyyy"},
                                           LocaleCase{"de_DE", "dd.MM.yyyy"},
                                           LocaleCase{"C", "d MM yyyy"}),
                         [](const auto& info) { return std::string(info.param.locale); });

// Every locale Qt knows: the day written is the day read back, late in the
// year so that a swapped day and month cannot pass for a date.
TEST_F(LocaleDatesTest, EveryLocaleReadsBackTheDayItWrote) {
    const tables::DbfDate day{1987, 12, 31};
    const auto locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    ASSERT_GT(locales.size(), 100);
    for (const QLocale& locale : locales) {
        const std::string format = ShortDateFormatFor(locale);
        tables::SetShortDateFormat(format);
        const std::string text = tables::FormatShortDate(day);
        std::optional<tables::DbfDate> read;
        EXPECT_NO_THROW(read = tables::ParseShortDate(text))
            << locale.name().toStdString() << " " << format << " " << text;
        EXPECT_EQ(read, day) << locale.name().toStdString() << " " << format << " " << text;
        EXPECT_NE(format.find("yyyy"), std::string::npos) << locale.name().toStdString();
    }
}

// The program's start takes the format from the user's locale (LC_ALL / LANG
// set by the test's environment; VELL3_EXPECTED_DATE_FORMAT names the result).
TEST_F(LocaleDatesTest, TheSystemLocaleSetsTheEnginesFormat) {
    const char* expected = std::getenv("VELL3_EXPECTED_DATE_FORMAT");
    if (expected == nullptr) {
        GTEST_SKIP() << "run with a locale in the environment";
    }
    UseLocaleShortDateFormat();
    EXPECT_EQ(tables::ShortDateFormat(), expected);
    tables::SetShortDateFormat(expected);
    EXPECT_EQ(tables::ParseShortDate(tables::FormatShortDate({2026, 3, 4})),
              (tables::DbfDate{2026, 3, 4}));
}

} // namespace
} // namespace vell3
