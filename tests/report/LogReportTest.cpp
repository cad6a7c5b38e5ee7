// A report run over a real mailing log: the order of each sort item, the
// index files and the semaphore, the empty log and the definition file's faults.

#include "ReportOutput.h"
#include "ReportTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace vell3::report {
namespace {

using test::LogRow;
using test::PdfText;
using test::PositionsOf;

// Five mailers printed in this order. Every key orders them differently, and
// the dates cross a year end so that their text order ("01/..." first) is
// not their order as dates.
std::vector<LogRow> FiveMailers() {
    return {
        {"Carter Hale",
         "Boston",
         "MA",
         "02134",
         {2025, 12, 30},
         test::Grouped(3),
         "      0.39",
         "      2.40",
         " ",
         "      1.85",
         "      4.64"},
        {"Abbot Inc",
         "Denver",
         "CO",
         "80202",
         {2026, 1, 2},
         test::Grouped(5),
         "      0.39",
         "      2.40",
         "      3.50",
         "      1.85",
         "      8.14"},
        {"Evans Bros",
         "Austin",
         "TX",
         "73301",
         {2025, 12, 31},
         test::Grouped(1),
         "      0.39",
         "      2.40",
         " ",
         "      1.85",
         "      4.64"},
        {"Duncan LLC",
         "Albany",
         "NY",
         "12207",
         {2026, 1, 15},
         test::Grouped(4),
         "      0.39",
         "      2.40",
         " ",
         "      1.85",
         "      4.64"},
        {"Baker & Co",
         "Seattle",
         "WA",
         "98101",
         {2025, 11, 1},
         test::Grouped(2),
         "      1.06",
         "      2.40",
         "      3.50",
         "      1.85",
         "      8.81"},
    };
}

std::vector<std::string> Names() {
    return {"Carter Hale", "Abbot Inc", "Evans Bros", "Duncan LLC", "Baker & Co"};
}

class LogReport : public test::ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        QDir().mkpath(QString::fromStdString(Path("Reports")));
        logFile_ = Path("Reports/report3.dbf");
    }

    LogReportRequest Request(const char* report, LogSortKey sort) const {
        LogReportRequest request;
        request.logFile = logFile_;
        request.projectFile = QStringLiteral(VELL3_TEST_RAV);
        request.reportName = QString::fromLatin1(report);
        request.sort = sort;
        request.now = QDateTime(QDate(2026, 2, 3), QTime(14, 5, 9));
        request.parameters =
            SenderParameters({"Acme Legal LLP", "400 Oak Avenue", "", "", "Dayton OH 45402"});
        return request;
    }

    // Runs the report into a PDF and returns its text.
    std::string RunToText(const char* report, LogSortKey sort, int* pages = nullptr) {
        const std::string pdf = Path("out.pdf");
        const auto outcome = RunLogReport(Request(report, sort), [&](ReportRenderer& renderer) {
            EXPECT_TRUE(WriteReportPdf(renderer, QString::fromStdString(pdf)));
            if (pages != nullptr) {
                *pages = renderer.PageCount();
            }
        });
        EXPECT_EQ(outcome, LogReportOutcome::Done);
        return PdfText(pdf);
    }

    static std::vector<std::string> Ordered(const std::vector<int>& order) {
        std::vector<std::string> names;
        for (int i : order) {
            names.push_back(Names()[static_cast<std::size_t>(i)]);
        }
        return names;
    }

    std::string logFile_;
};

struct OrderCase {
    LogSortKey sort;
    const char* indexFile;  // nullptr: none
    std::vector<int> order; // rows of FiveMailers() in report order
};

class LogReportOrder : public LogReport, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(LogReportOrder, RowsComeInTheChosenOrderInEveryReport) {
    test::WriteLog(logFile_, FiveMailers());
    for (const char* report : {kShortDetailReport, kFullDetailReport, kFirmMailingBookReport}) {
        const std::string text = RunToText(report, GetParam().sort);
        const auto positions = PositionsOf(text, Ordered(GetParam().order));
        for (std::size_t i = 0; i < positions.size(); ++i) {
            ASSERT_NE(positions[i], std::string::npos) << report << " lacks row " << i << "\n"
                                                       << text;
            if (i > 0) {
                EXPECT_LT(positions[i - 1], positions[i]) << report << " row " << i << "\n" << text;
            }
        }
    }
    const QDir reports(QString::fromStdString(Path("Reports")));
    if (GetParam().indexFile != nullptr) {
        EXPECT_TRUE(reports.exists(QString::fromLatin1(GetParam().indexFile)));
    }
    EXPECT_EQ(reports.entryList(QDir::Files).filter(QStringLiteral(".MDX")).size(),
              GetParam().indexFile != nullptr ? 1 : 0);
    // The run logged out of the index semaphore when it closed the log.
    EXPECT_FALSE(reports.exists(QStringLiteral("report3.@S@")));
    EXPECT_TRUE(errors_.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sorts, LogReportOrder,
    ::testing::Values(OrderCase{LogSortKey::None, nullptr, {0, 1, 2, 3, 4}},
                      OrderCase{LogSortKey::MailerNumber, "mailernum.MDX", {2, 4, 0, 3, 1}},
                      OrderCase{LogSortKey::Name, "name.MDX", {1, 4, 0, 3, 2}},
                      OrderCase{LogSortKey::Date, "rdate.MDX", {4, 0, 2, 1, 3}},
                      OrderCase{LogSortKey::ZipCode, "zip.MDX", {0, 3, 2, 1, 4}}));

TEST_F(LogReport, ShortDetailShowsDatePrintedPagesCountAndFeeTotals) {
    test::WriteLog(logFile_, FiveMailers());
    int pages = 0;
    const std::string text = RunToText(kShortDetailReport, LogSortKey::None, &pages);
    EXPECT_EQ(pages, 1);
    EXPECT_NE(text.find("Date Printed: 2/3/2026 14:05:09"), std::string::npos) << text;
    EXPECT_NE(text.find("Page 1 of 1"), std::string::npos);
    EXPECT_NE(text.find(test::Grouped(5)), std::string::npos);
    EXPECT_NE(text.find("12/31/2025"), std::string::npos);
    for (const char* total : {"Mailers:", "Postage:", "Certified Fees:", "Return Receipt Fees:",
                              "Restricted Delivery Fees:", "Total Fees:"}) {
        EXPECT_NE(text.find(total), std::string::npos) << total;
    }
    // 5 mailers; postage 4 x 0.39 + 1.06; certified 5 x 2.40; return 5 x 1.85;
    // restricted 2 x 3.50 (blanks count 0); total the sum of the rows' totals.
    const std::string summary = text.substr(text.find("Summary"));
    const auto positions = PositionsOf(summary, {"5", "2.62", "12.00", "9.25", "7.00", "30.87"});
    for (std::size_t i = 0; i < positions.size(); ++i) {
        ASSERT_NE(positions[i], std::string::npos) << i << summary;
        if (i > 0) {
            EXPECT_LT(positions[i - 1], positions[i]) << i << summary;
        }
    }
}

TEST_F(LogReport, FullDetailShowsEveryField) {
    std::vector<LogRow> rows = FiveMailers();
    rows[0].name1 = "Suite 200";
    rows[0].comments = "Second notice";
    rows[0].re = "Lease 12B";
    test::WriteLog(logFile_, rows);
    const std::string text = RunToText(kFullDetailReport, LogSortKey::None);
    for (const char* part :
         {"Suite 200", "Second notice", "Lease 12B", "Boston MA 02134", "12/30/2025",
          "Restricted Delivery Fee:", "3.50", "8.81", "Page 1 of 1"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    }
}

TEST_F(LogReport, FirmMailingBookNumbersLinesAndTotalsEachPage) {
    std::vector<LogRow> rows = FiveMailers();
    for (int i = 0; i < 5; ++i) {
        rows.push_back(rows[static_cast<std::size_t>(i)]);
    }
    test::WriteLog(logFile_, rows); // ten mailers: a full page of 8 and 2 on the next
    int pages = 0;
    RunToText(kFirmMailingBookReport, LogSortKey::None, &pages);
    ASSERT_EQ(pages, 2);
    const std::string first = PdfText(Path("out.pdf"), 1);
    const std::string second = PdfText(Path("out.pdf"), 2);
    for (const char* heading :
         {"Firm Mailing Book For Accountable Mail", "Name and Address of Sender", "Acme Legal LLP",
          "Dayton OH 45402", "Article Number", "Addressee (Name, Street,", "Postage", "Certified",
          "Receipt Fee", "Delivery Fee", "Total Number of Pieces Listed by Sender",
          "Total Number of Pieces Received at Post Office",
          "Postmaster, Per (Name of receiving employee)", "Page Totals", "Page 1 of 2"}) {
        EXPECT_NE(first.find(heading), std::string::npos) << heading << "\n" << first;
    }
    // Page 1: rows 1-5 and 1-3 again. Postage 0.39 x 7 + 1.06 = 3.79;
    // certified 8 x 2.40 = 19.20; return 8 x 1.85 = 14.80; restricted
    // 3.50 x 3 = 10.50 (rows 2, 5, 7); total 4.64 x 5 + 8.14 x 2 + 8.81 = 48.29.
    const std::string totals = first.substr(first.find("Page Totals"));
    const auto positions = PositionsOf(totals, {"3.79", "19.20", "14.80", "10.50", "48.29"});
    for (std::size_t i = 0; i < positions.size(); ++i) {
        ASSERT_NE(positions[i], std::string::npos) << i << totals;
        if (i > 0) {
            EXPECT_LT(positions[i - 1], positions[i]) << i;
        }
    }
    // Page 2 lists two pieces and keeps the numbers of its unused lines.
    EXPECT_NE(second.find("Page 2 of 2"), std::string::npos);
    const std::string pieces =
        second.substr(second.find("Total Number of Pieces Listed by Sender"));
    EXPECT_NE(pieces.find(" 2 "), std::string::npos) << pieces;
    const auto lines = PositionsOf(second, {"Duncan LLC", "Baker & Co"});
    EXPECT_LT(lines[0], lines[1]);
    EXPECT_NE(second.find("    8\n"), std::string::npos) << second;
    EXPECT_EQ(second.find("    9\n"), std::string::npos) << second;
}

TEST_F(LogReport, AnEmptyLogReportsNothingAndLeavesNoIndex) {
    test::WriteLog(logFile_, {});
    bool output = false;
    const auto outcome = RunLogReport(Request(kShortDetailReport, LogSortKey::Name),
                                      [&](ReportRenderer&) { output = true; });
    EXPECT_EQ(outcome, LogReportOutcome::Empty);
    EXPECT_FALSE(output);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(Path("Reports/name.MDX"))));
}

TEST_F(LogReport, AMissingLogIsCreatedEmpty) {
    const auto outcome =
        RunLogReport(Request(kFullDetailReport, LogSortKey::None), [](ReportRenderer&) {});
    EXPECT_EQ(outcome, LogReportOutcome::Empty);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(logFile_)));
}

TEST_F(LogReport, AReportTheFileLacksShowsNothing) {
    test::WriteLog(logFile_, FiveMailers());
    bool output = false;
    const auto outcome =
        RunLogReport(Request("Weekly", LogSortKey::None), [&](ReportRenderer&) { output = true; });
    EXPECT_EQ(outcome, LogReportOutcome::NoReport);
    EXPECT_FALSE(output);
}

TEST_F(LogReport, AMissingDefinitionFileClosesTheLogAndNamesThePath) {
    test::WriteLog(logFile_, FiveMailers());
    LogReportRequest request = Request(kShortDetailReport, LogSortKey::Date);
    request.projectFile = QString::fromStdString(Path("Vell3.rav"));
    try {
        RunLogReport(request, [](ReportRenderer&) { FAIL() << "output without definitions"; });
        FAIL() << "no error";
    } catch (const ReportDefinitionError& error) {
        EXPECT_EQ(error.Text(),
                  QStringLiteral("The following reporting project does not exist:\r\"") +
                      request.projectFile + QLatin1Char('"'));
    }
    // Closed: the semaphore is gone and the log opens exclusively.
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(Path("Reports/report3.@S@"))));
    tables::TTzDbf log;
    ConfigureLogTable(log, logFile_);
    log.SetExclusive(true);
    log.Open();
    EXPECT_EQ(log.RecCount(), 5u);
    EXPECT_TRUE(errors_.empty());
}

struct MyTimeCase {
    QLocale locale;
    QTime time;
    const char* text;
};

class MyTime : public ::testing::TestWithParam<MyTimeCase> {};

TEST_P(MyTime, GivesTheLongTimeButNotAtMidnight) {
    EXPECT_EQ(MyTimeText(QDateTime(QDate(2026, 12, 24), GetParam().time), GetParam().locale)
                  .toStdString(),
              GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MyTime,
    ::testing::Values(MyTimeCase{QLocale::c(), QTime(0, 0, 0), "Date Printed: 12/24/2026"},
                      MyTimeCase{QLocale::c(), QTime(0, 0, 1), "Date Printed: 12/24/2026 00:00:01"},
                      MyTimeCase{QLocale::c(), QTime(23, 59, 59),
                                 "Date Printed: 12/24/2026 23:59:59"},
                      MyTimeCase{QLocale(QLocale::English, QLocale::UnitedStates), QTime(14, 5, 9),
                                 "Date Printed: 12/24/2026 2:05:09 PM"},
                      MyTimeCase{QLocale(QLocale::German, QLocale::Germany), QTime(14, 5, 9),
                                 "Date Printed: 12/24/2026 14:05:09"}));

} // namespace
} // namespace vell3::report
