// The entry as the window shows it, turned into the form's values and the
// log's row.

#include "MailerEntry.h"
#include "FeeEntry.h"

#include <gtest/gtest.h>

namespace vell3::mailing {
namespace {

struct RecipientCase {
    const char* name;
    std::vector<std::string> lines;
    std::array<std::string, 5> expected;
};

class RecipientLinesTest : public ::testing::TestWithParam<RecipientCase> {};

TEST_P(RecipientLinesTest, TheCityLineTakesTheFirstBlankNameLine) {
    MailerEntry entry;
    entry.recipientLines = GetParam().lines;
    entry.city = " X ";
    entry.state = "Y ";
    entry.zip = "12345-    ";
    const MailerFormValues values = FillMailerFormValues(entry, AppSettings{}, {});
    EXPECT_EQ(values.RecipientLines(), GetParam().expected);
    EXPECT_EQ(values.RecipientZip, "12345");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RecipientLinesTest,
    ::testing::Values(
        RecipientCase{"GapsBetweenNames", {"A", "", "B", ""}, {"A", "X Y 12345", "B", "", ""}},
        RecipientCase{"FourFilled", {"A", "B", "C", "D"}, {"A", "B", "C", "D", "X Y 12345"}},
        RecipientCase{
            "MoreThanFourShown", {"A", "B", "C", "D", "E"}, {"A", "B", "C", "D", "X Y 12345"}},
        RecipientCase{"NoLines", {}, {"X Y 12345", "", "", "", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FillMailerFormValuesTest, NumberSourcesFollowTheMode) {
    AppSettings settings;
    settings.CustID = "12-345-6789";
    settings.SerialNum = "00000042";
    settings.MailerNum = "71123456789000000423";
    settings.AlignLeftRight = -3;
    MailerEntry entry;
    entry.re = std::string(30, 'r');
    entry.restricted = true;
    MailerFormValues values = FillMailerFormValues(entry, settings, {"s1", "s2", "", "", ""});
    EXPECT_EQ(values.NumberSource, "123456789");
    EXPECT_EQ(values.SerialSource, "00000042");
    EXPECT_EQ(values.ReText, std::string(25, 'r'));
    EXPECT_EQ(values.RestrictedMark, "Y");
    EXPECT_EQ(values.AlignX, "-3");
    EXPECT_EQ(values.SenderLine2, "s2");
    settings.PrintBarCode = false;
    values = FillMailerFormValues(entry, settings, {});
    EXPECT_EQ(values.NumberSource, "71123456789000000423");
    EXPECT_EQ(values.SerialSource, "");
}

TEST(MakeLogRecordTest, LinesAsShownCityAndStateTrimmedZipTidied) {
    MailerEntry entry;
    entry.recipientLines = {" A ", "B", "C", "D", "E"};
    entry.city = "  Boston ";
    entry.state = " MA";
    entry.zip = "02134-    ";
    entry.postage = "      0.39";
    entry.restrictedFee = " ";
    const log::LogRecord record =
        MakeLogRecord(entry, "7112 3456 7890 0000 0423", tables::DbfDate{2026, 2, 3});
    EXPECT_EQ(record.sentname, (std::array<std::string, 4>{" A ", "B", "C", "D"}));
    EXPECT_EQ(record.city, "Boston");
    EXPECT_EQ(record.state, "MA");
    EXPECT_EQ(record.zip, "02134");
    EXPECT_EQ(record.postage, "      0.39");
    EXPECT_EQ(record.restricted, " ");
    EXPECT_EQ(record.mailernum, "7112 3456 7890 0000 0423");
    EXPECT_EQ(record.rdate, (tables::DbfDate{2026, 2, 3}));
}

// Without restricted delivery the restricted fee stays blank and the total
// is the other three.
TEST(EnterFeesTest, TheTotalAddsWhatIsShown) {
    AppSettings settings;
    DisplayedFees fees = EnterFees(settings, {});
    EXPECT_EQ(fees.restrictedFee, " ");
    EXPECT_EQ(fees.total.substr(fees.total.find_first_not_of(' ')), "4.64");
    EXPECT_EQ(fees.postage.substr(fees.postage.find_first_not_of(' ')), "0.39");
    EXPECT_EQ(fees.postage.front(), ' ');
    TypedFees typed;
    typed.restricted = true;
    fees = EnterFees(settings, typed);
    EXPECT_EQ(fees.total.substr(fees.total.find_first_not_of(' ')), "8.14");
}

} // namespace
} // namespace vell3::mailing
