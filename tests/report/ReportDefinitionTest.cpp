// The report-definition file: the shipped one, and what a damaged or foreign
// one tells the user.

#include "ReportDefinition.h"
#include "MoneyTotal.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace vell3::report {
namespace {

TEST(ShippedDefinitions, HoldTheThreeReportsAndLoadClean) {
    const ReportProject project = ReportProject::Load(QStringLiteral(VELL3_TEST_RAV));
    EXPECT_EQ(project.Names(),
              (QStringList{QStringLiteral("FirmMailingBook"), QStringLiteral("FullDetail"),
                           QStringLiteral("ShortDetail")}));
    const ReportDefinition* book = project.Find(QStringLiteral("FirmMailingBook"));
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->orientation, QPageLayout::Landscape);
    EXPECT_TRUE(book->strikeUnusedLines);
    EXPECT_GT(book->linesPerPage, 0);
    for (const char* name : {"FullDetail", "ShortDetail", "FirmMailingBook"}) {
        const ReportDefinition* report = project.Find(QString::fromLatin1(name));
        ASSERT_NE(report, nullptr) << name;
        EXPECT_TRUE(report->SummedFields().contains(QStringLiteral("total"))) << name;
    }
    EXPECT_EQ(project.Find(QStringLiteral("Nothing")), nullptr);
}

TEST(MissingDefinitions, GiveTheProjectMessageWithThePath) {
    try {
        ReportProject::Load(QStringLiteral("/nonexistent/folder/Vell3.rav"));
        FAIL() << "loaded a missing file";
    } catch (const ReportDefinitionError& error) {
        EXPECT_EQ(
            error.Text().toStdString(),
            "The following reporting project does not exist:\r\"/nonexistent/folder/Vell3.rav\"");
    }
}

// A minimal report with one place to break it.
std::string WithDetail(const std::string& detail, const std::string& extra = "") {
    return "{\"format\": \"Vell3 reports 1\", \"reports\": {\"R\": {\"page\": {\"margins\": "
           "{\"left\": 36, \"top\": 36, \"right\": 36, \"bottom\": 36}}, \"detail\": " +
           detail + extra + "}}}";
}

struct DamageCase {
    const char* what;
    std::string content;
    std::string expected; // the part of the message after the file's name
};

class DamagedDefinition : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedDefinition, NamesTheFileAndWhatIsWrong) {
    const DamageCase& c = GetParam();
    try {
        ReportProject::Parse(QByteArray::fromStdString(c.content), QStringLiteral("/x/Vell3.rav"));
        FAIL() << "accepted: " << c.what;
    } catch (const ReportDefinitionError& error) {
        EXPECT_EQ(error.Text().toStdString(),
                  "The report definition file \"/x/Vell3.rav\" cannot be used:\r" + c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedDefinition,
    ::testing::Values(
        // Lines and columns count from 1; the reader stops just inside the
        // token it could not take.
        DamageCase{"comma missing", "{\n  \"format\": \"Vell3 reports 1\"\n  \"reports\": {}\n}",
                   "unterminated object at line 3, column 4."},
        DamageCase{"cut short", "{\n  \"format\": \"Vell3 reports 1\",\n  \"reports\": {",
                   "unterminated object at line 3, column 15."},
        DamageCase{"not an object", "[1, 2]", "the file: an object { } is expected."},
        DamageCase{"foreign format", "{\"format\": \"Other reports 2\", \"reports\": {}}",
                   "\"format\" must be \"Vell3 reports 1\"."},
        DamageCase{"no detail",
                   "{\"format\": \"Vell3 reports 1\", \"reports\": {\"R\": {\"page\": "
                   "{\"margins\": {\"left\": 36, \"top\": 36, \"right\": 36, \"bottom\": 36}}}}}",
                   "report \"R\": the band \"detail\" is missing."},
        DamageCase{
            "unknown placeholder",
            WithDetail(
                "{\"height\": 12, \"items\": [{\"text\": \"{bogus}\", \"x\": 0, \"y\": 0}]}"),
            "report \"R\", detail, item 1: unknown value {bogus}."},
        DamageCase{
            "field in a header",
            WithDetail("{\"height\": 12}", ", \"pageHeader\": {\"height\": 20, \"items\": "
                                           "[{\"text\": \"{field:zip}\", \"x\": 0, \"y\": 0}]}"),
            "report \"R\", pageHeader, item 1: {field:zip} is only known in the detail band."},
        DamageCase{
            "right without width",
            WithDetail("{\"height\": 12, \"items\": [{\"text\": \"a\", \"x\": 0, \"y\": 0, "
                       "\"align\": \"right\"}]}"),
            "report \"R\", detail, item 1: \"align\" other than \"left\" needs a \"width\"."},
        DamageCase{
            "position as text",
            WithDetail("{\"height\": 12, \"items\": [{\"text\": \"a\", \"x\": \"1\", \"y\": 0}]}"),
            "report \"R\", detail, item 1: \"x\" must be a number."},
        DamageCase{"misspelt key", WithDetail("{\"hieght\": 12}"),
                   "report \"R\", detail: unknown key \"hieght\"."},
        DamageCase{"band taller than the page", WithDetail("{\"height\": 800}"),
                   "report \"R\": the page has no room for 1 detail line(s) between its header and "
                   "footer."},
        DamageCase{"unknown font",
                   WithDetail("{\"height\": 12, \"items\": [{\"text\": \"a\", \"x\": 0, \"y\": 0, "
                              "\"font\": \"huge\"}]}"),
                   "report \"R\", detail, item 1: no font named \"huge\" under \"fonts\"."}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

struct TotalCase {
    std::vector<std::string> texts;
    std::string total;
};

class MoneyTotals : public ::testing::TestWithParam<TotalCase> {};

TEST_P(MoneyTotals, AddWhatReadsAsMoneyToTheCent) {
    MoneyTotal total;
    for (const std::string& text : GetParam().texts) {
        total.Add(text);
    }
    EXPECT_EQ(total.Text(), GetParam().total);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MoneyTotals,
    ::testing::Values(TotalCase{{}, "0.00"}, TotalCase{{" "}, "0.00"},
                      // Leading blanks of the money text; 0.1 + 0.2 without binary noise.
                      TotalCase{{"      0.10", "      0.20"}, "0.30"},
                      TotalCase{{"      2.40", "abc", "   1.85", " "}, "4.25"},
                      TotalCase{{"  0.555", "  1.00"}, "1.555"},
                      TotalCase{{"-4.00", "4.00"}, "0.00"},
                      TotalCase{{" 100000.01", "     99.99"}, "100100.00"}));

TEST(MoneyTotals, StayExactOverAHundredThousandRows) {
    MoneyTotal total;
    for (int i = 0; i < 100000; ++i) {
        total.Add("      4.64");
    }
    EXPECT_EQ(total.Text(), "464000.00");
}

} // namespace
} // namespace vell3::report
