// The mailing log's row as the file holds it, the append lock's wait, and the
// check that stops a print when the log cannot take its row.

#include "LockHolder.h"
#include "LogFields.h"
#include "LogTable.h"
#include "TableTestSupport.h"

#include <cctype>
#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

namespace vell3::log {
namespace {

using tables::TTzDbf;
using namespace std::chrono_literals;

class AppendLogRecordTest : public tables::test::TableTest {
protected:
    void SetUp() override {
        TableTest::SetUp();
        previousFormat_ = tables::ShortDateFormat();
    }
    void TearDown() override {
        tables::SetShortDateFormat(previousFormat_);
        TableTest::TearDown();
    }

    std::string LogPath() const { return PathOf("Reports/report3.dbf"); }

    static LogRecord Sample() {
        LogRecord record;
        record.sentname = {"  John Smith", "Accounts Payable Department Room 12", "", "4 Elm Rd  "};
        record.city = "Boston";
        record.state = "MA";
        record.zip = "02134-1234";
        record.rdate = {2026, 3, 4};
        record.mailernum = "7112 3456 7890 0000 0423";
        record.postage = "      0.39";
        record.certified = "      2.40";
        record.restricted = " ";
        record.returnFee = "      1.85";
        record.total = "      4.64";
        record.comments = "first notice";
        record.re = "Case 7a";
        return record;
    }

    // The raw field texts of the log's rows, by field name.
    std::vector<std::map<std::string, std::string>> Rows() {
        TTzDbf table;
        ConfigureLogTable(table, LogPath());
        table.Open();
        std::vector<std::map<std::string, std::string>> rows;
        for (table.First(); !table.Eof(); table.Next()) {
            std::map<std::string, std::string> row;
            for (const auto& field : table.Fields()) {
                std::string name = field.name;
                for (char& c : name) {
                    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                }
                row[name] = table.RawFieldBytes(field.name);
            }
            rows.push_back(row);
        }
        table.Close();
        return rows;
    }

private:
    std::string previousFormat_;
};

TEST_F(AppendLogRecordTest, CreatesTheLogWithItsSixteenFields) {
    ASSERT_TRUE(AppendLogRecord(LogPath(), Sample()));
    TTzDbf table;
    ConfigureLogTable(table, LogPath());
    table.Open();
    std::vector<std::string> lines;
    for (const auto& field : table.Fields()) {
        lines.push_back(field.name + "," + std::string(1, field.type) + "," +
                        std::to_string(field.length) + "," + std::to_string(field.decimals));
    }
    // dBASE keeps field names in capitals and dates in eight characters.
    const std::vector<std::string> expected = {
        "SENTNAME0,C,30,0", "SENTNAME1,C,30,0", "SENTNAME2,C,30,0", "SENTNAME3,C,30,0",
        "CITY,C,35,0",      "STATE,C,4,0",      "ZIP,C,10,0",       "RDATE,D,8,0",
        "MAILERNUM,C,25,0", "POSTAGE,C,15,0",   "CERTIFIED,C,15,0", "RESTRICTED,C,15,0",
        "RETURN,C,15,0",    "TOTAL,C,15,0",     "COMMENTS,C,35,0",  "RE,C,25,0"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(LogFieldDefinitions().size(), expected.size());
    EXPECT_EQ(table.RecCount(), 1u);
    EXPECT_TRUE(errors_.empty());
}

// Each field as the file holds it: texts padded with blanks to the field's
// width, cut where longer, leading blanks kept; the date as YYYYMMDD.
TEST_F(AppendLogRecordTest, EveryFieldHoldsItsExactText) {
    LogRecord record = Sample();
    record.city = std::string(40, 'c');
    ASSERT_TRUE(AppendLogRecord(LogPath(), record));
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    const auto pad = [](std::string text, std::size_t width) {
        text.resize(width, ' ');
        return text;
    };
    const std::map<std::string, std::string> expected = {
        {"sentname0", pad("  John Smith", 30)},
        {"sentname1", "Accounts Payable Department Ro"},
        {"sentname2", pad("", 30)},
        {"sentname3", pad("4 Elm Rd", 30)},
        {"city", std::string(35, 'c')},
        {"state", "MA  "},
        {"zip", "02134-1234"},
        {"rdate", "20260304"},
        {"mailernum", "7112 3456 7890 0000 0423 "},
        {"postage", pad("      0.39", 15)},
        {"certified", pad("      2.40", 15)},
        {"restricted", pad(" ", 15)},
        {"return", pad("      1.85", 15)},
        {"total", pad("      4.64", 15)},
        {"comments", pad("first notice", 35)},
        {"re", pad("Case 7a", 25)},
    };
    EXPECT_EQ(rows[0], expected);
}

// The date travels as the locale's short text; a day-first locale must not
// swap day and month on the way in.
TEST_F(AppendLogRecordTest, TheDateIsTheSameDayInEveryShortDateFormat) {
    for (const char* format : {"M/d/yyyy", "dd/MM/yyyy", "dd.MM.yyyy", "yyyy-MM-dd"}) {
        tables::SetShortDateFormat(format);
        LogRecord record = Sample();
        record.rdate = {2026, 12, 3};
        ASSERT_TRUE(AppendLogRecord(LogPath(), record)) << format;
    }
    for (const auto& row : Rows()) {
        EXPECT_EQ(row.at("rdate"), "20261203");
    }
}

// Another program that keeps the append lock: the append waits for it, and
// reports that it could not append rather than dropping the row in silence.
TEST_F(AppendLogRecordTest, ALockHeldElsewhereIsWaitedForThenRefused) {
    ASSERT_TRUE(AppendLogRecord(LogPath(), Sample()));
    test::AppendLockHolder holder(LogPath());
    ASSERT_TRUE(holder.Holding());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(AppendLogRecord(LogPath(), Sample(), 400ms));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 400ms);
    holder.Release();
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_TRUE(errors_.empty());
}

TEST_F(AppendLogRecordTest, ALockLetGoWithinTheWaitTakesTheRow) {
    ASSERT_TRUE(AppendLogRecord(LogPath(), Sample()));
    test::AppendLockHolder holder(LogPath(), 300ms);
    ASSERT_TRUE(holder.Holding());
    EXPECT_TRUE(AppendLogRecord(LogPath(), Sample(), kAppendLockWait));
    EXPECT_EQ(Rows().size(), 2u);
}

TEST_F(AppendLogRecordTest, TheLockMessageNamesTheMailer) {
    EXPECT_EQ(LogLockRefusedMessage("7112 3456 7890 0000 0423"),
              "Mailer 7112 3456 7890 0000 0423 was printed but could not be written to the "
              "mailing log, because another program holds the log. Please write it down.");
}

TEST_F(AppendLogRecordTest, OpeningForPrintingMakesTheFolderAndTheLog) {
    OpenLogForPrinting(LogPath());
    EXPECT_TRUE(std::filesystem::exists(LogPath()));
    EXPECT_TRUE(Rows().empty());
}

// A log that cannot take a row is found before the print, with the engine's
// own error.
struct BadLog {
    const char* name;
    std::function<std::string(const std::string& dir)> make; // returns the log path
    int number;
};

class OpenLogForPrintingTest : public AppendLogRecordTest,
                               public ::testing::WithParamInterface<BadLog> {};

TEST_P(OpenLogForPrintingTest, StopsWithTheEnginesError) {
    const std::string path = GetParam().make(dir_);
    const auto error = tables::test::ErrorOf([&] { OpenLogForPrinting(path); });
    EXPECT_EQ(error.number, GetParam().number) << error.FullText();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0].number, GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Logs, OpenLogForPrintingTest,
    ::testing::Values(BadLog{"NotADbaseTable",
                             [](const std::string& dir) {
                                 std::filesystem::create_directories(dir + "/Reports");
                                 tables::test::WriteFileBytes(dir + "/Reports/report3.dbf",
                                                              "name,city\nJohn,Boston\n");
                                 return dir + "/Reports/report3.dbf";
                             },
                             210},
                      BadLog{"FolderUnderAFile",
                             [](const std::string& dir) {
                                 tables::test::WriteFileBytes(dir + "/Reports",
                                                              "a file, not a folder");
                                 return dir + "/Reports/report3.dbf";
                             },
                             3}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vell3::log
