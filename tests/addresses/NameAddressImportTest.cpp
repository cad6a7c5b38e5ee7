#include "NameAddressImport.h"
#include "AddressTable.h"
#include "AddressTestSupport.h"
#include "TTzDbf.h"
#include "UserError.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace vell3::addresses::test {
namespace {

using tables::test::ReadFileBytes;
using tables::test::WriteFileBytes;

const Record kBlank{};

class ImportTest : public tables::test::TableTest {
protected:
    std::vector<Record> Import(const std::string& bytes,
                               ImportTarget target = ImportTarget::Create) {
        WriteFileBytes(PathOf("list.csv"), bytes);
        const size_t before =
            target == ImportTarget::Append ? ReadRecords(PathOf("list.dbf")).size() : 0;
        const ImportResult result =
            NameAddressImport(PathOf("list.csv")).Into(PathOf("list.dbf"), target);
        EXPECT_FALSE(result.cancelled);
        auto records = ReadRecords(PathOf("list.dbf"));
        EXPECT_EQ(result.appended, records.size() - before);
        return records;
    }
};

struct FileCase {
    const char* name;
    std::string bytes;
    std::vector<Record> records;
};

void PrintTo(const FileCase& c, std::ostream* out) {
    *out << c.name;
}

class ImportLineTest : public ImportTest, public ::testing::WithParamInterface<FileCase> {};

TEST_P(ImportLineTest, AppendsTheRecordsThroughTheEngine) {
    EXPECT_EQ(Import(GetParam().bytes), GetParam().records);
    EXPECT_TRUE(errors_.empty());
    EXPECT_TRUE(warnings_.empty());
}

INSTANTIATE_TEST_SUITE_P(
    LineCases, ImportLineTest,
    ::testing::Values(
        FileCase{"TwoMemoLinesCityStateZip", "a,b,,,c,d,e\r\n", {{{"a", "b"}, "c", "d", "e"}}},
        FileCase{"SixFieldsGiveABlankRecord", "a,b,,,c,d\r\n", {kBlank}},
        FileCase{"SixFieldsAndATrailingComma", "a,b,,,c,d,\r\n", {{{"a", "b"}, "c", "d", ""}}},
        FileCase{"CommaInQuotes", "\"a, b\",,,,c,d,e\r\n", {{{"a, b"}, "c", "d", "e"}}},
        FileCase{
            "DoubledQuotes", "\"x \"\"y\"\" z\",,,,c,d,e\r\n", {{{"x \"y\" z"}, "c", "d", "e"}}},
        FileCase{"EmptyLineAndLineWithoutComma",
                 "\r\nJust a name\r\na,,,,c,d,e\r\n",
                 {kBlank, kBlank, {{"a"}, "c", "d", "e"}}},
        FileCase{"HeaderLineIsARecordCutToTheWidths",
                 "Line1,Line2,Line3,Line4,City,State,Zip\r\n",
                 {{{"Line1", "Line2", "Line3", "Line4"}, "City", "Stat", "Zip"}}},
        FileCase{"CtrlZEndsTheFile",
                 "a,,,,c,d,e\r\n\x1A"
                 "b,,,,c,d,e\r\n",
                 {{{"a"}, "c", "d", "e"}}},
        FileCase{"LoneCarriageReturnIsDropped", "a\rb,,,,c,d,e\r\n", {{{"ab"}, "c", "d", "e"}}},
        FileCase{"LastLineWithoutLineEnd",
                 "a,,,,c,d,e\nb,,,,f,g,h",
                 {{{"a"}, "c", "d", "e"}, {{"b"}, "f", "g", "h"}}},
        FileCase{"BlankBeforeAQuote", " \"a, b\",,,,c,d,e\r\n", {{{" \"a", " b\""}, "", "c", "d"}}},
        FileCase{"BlankMemoFieldsLeaveNoGap", ",  ,x,,c,d,e\n", {{{"x"}, "c", "d", "e"}}},
        FileCase{"ValuesAreNotTrimmed", " a ,,,, c ,d,e\n", {{{" a "}, " c", "d", "e"}}},
        FileCase{"ValuesAreCutToTheFieldWidths",
                 ",,,,A city of more than twenty,ABCDEF,12345-67890\n",
                 {{{}, "A city of more than", "ABCD", "12345-6789"}}},
        FileCase{"CharactersWithoutCodePage437AreQuestionMarks",
                 "Zoë €,,,,Łódź,,\n",
                 {{{"Zoë ?"}, "?ód?", "", ""}}},
        FileCase{"EmptyFile", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImportTest, ASpreadsheetFileWithByteOrderMarkQuotesAndCrLf) {
    const std::string file =
        "\xEF\xBB\xBF\"Müller GmbH\",\"Straße 5\",\"\",\"\",\"Köln\",\"NW\",\"50667\"\r\n"
        "\"Café \"\"Zum Ä\"\"\",\"\",\"\",\"\",\"Zürich\",\"\",\"8001\"\r\n";
    EXPECT_EQ(Import(file),
              (std::vector<Record>{{{"Müller GmbH", "Straße 5"}, "Köln", "NW", "50667"},
                                   {{"Café \"Zum Ä\""}, "Zürich", "", "8001"}}));
}

TEST_F(ImportTest, AWindows1252FileKeepsItsAccents) {
    EXPECT_EQ(Import("M\xFCller,Caf\xE9,,,K\xF6ln,NW,50667\r\n\xC9mile,,,,N\xEEmes,,\r\n"),
              (std::vector<Record>{{{"Müller", "Café"}, "Köln", "NW", "50667"},
                                   {{"Émile"}, "Nîmes", "", ""}}));
}

TEST_F(ImportTest, ANewDatabaseGetsTheImportsFieldList) {
    Import("a,,,,c,d,e\n");
    tables::TTzDbf table;
    table.SetDbfFileName(PathOf("list.dbf"));
    table.Open();
    ASSERT_EQ(table.Fields().size(), 4u);
    EXPECT_EQ(table.Fields()[1].length, 20);
    EXPECT_EQ(table.Fields()[2].length, 4);
    EXPECT_TRUE(std::filesystem::exists(PathOf("list.dbt")));
}

TEST_F(ImportTest, OverwriteReplacesTheDatabase) {
    WriteDatabase(PathOf("list.dbf"), {{{"old"}, "x", "y", "z"}, {{"older"}, "x", "y", "z"}},
                  AddressDatabaseFieldDefinitions());
    EXPECT_EQ(Import("new,,,,Springfield,IL,62701\n", ImportTarget::Overwrite),
              (std::vector<Record>{{{"new"}, "Springfield", "IL", "62701"}}));
    tables::TTzDbf table;
    table.SetDbfFileName(PathOf("list.dbf"));
    table.Open();
    EXPECT_EQ(table.Fields()[1].length, 20);
}

TEST_F(ImportTest, AppendKeepsTheRecordsAndFieldsOfTheDatabase) {
    // The first record is marked deleted: nothing of it may reach the new ones.
    Record gone{{"gone"}, "x", "y", "z", true};
    WriteDatabase(PathOf("list.dbf"), {gone}, AddressDatabaseFieldDefinitions());
    EXPECT_EQ(Import("new,,,,Springfield,ILL,62701\n,,,,,,\n", ImportTarget::Append),
              (std::vector<Record>{gone, {{"new"}, "Springfield", "IL", "62701"}, kBlank}));
}

TEST_F(ImportTest, AFileThatCannotBeReadIsAnErrorNamingIt) {
    try {
        NameAddressImport import(PathOf("missing.csv"));
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot read the file \"" + PathOf("missing.csv") +
                                                 "\": No such file or directory");
    }
    std::filesystem::create_directory(PathOf("folder.csv"));
    EXPECT_THROW(NameAddressImport(PathOf("folder.csv")), UserError);
}

TEST_F(ImportTest, ProposedDatabaseNames) {
    EXPECT_EQ(ProposedDatabaseName("/home/o/list.csv"), "list.dbf");
    EXPECT_EQ(ProposedDatabaseName("/home/o/my.list.txt"), "my.dbf");
    EXPECT_EQ(ProposedDatabaseName("/home/o.d/list"), "dbf");
    EXPECT_EQ(ProposedDatabaseName("LIST.TXT"), "LIST.dbf");
}

TEST_F(ImportTest, ACancelKeepsTheRecordsAppendedSoFar) {
    std::string file;
    for (int i = 0; i < 1000; ++i) {
        file += "Name " + std::to_string(i) + ",,,,City,ST,12345\r\n";
    }
    WriteFileBytes(PathOf("list.csv"), file);
    const NameAddressImport import(PathOf("list.csv"));
    EXPECT_EQ(import.LineCount(), 1000u);
    std::vector<TextFileProgress> calls;
    const ImportResult result =
        import.Into(PathOf("list.dbf"), ImportTarget::Create, [&](const TextFileProgress& p) {
            calls.push_back(p);
            return calls.size() < 2;
        });
    EXPECT_TRUE(result.cancelled);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].done, 2 * kProgressStep);
    EXPECT_EQ(calls[1].total, 1000u);
    EXPECT_EQ(result.appended, 2 * kProgressStep);
    const auto records = ReadRecords(PathOf("list.dbf"));
    ASSERT_EQ(records.size(), 2 * kProgressStep);
    EXPECT_EQ(records.back().lines, std::vector<std::string>{"Name 511"});
}

TEST_F(ImportTest, ProgressEndsAtTheLastLine) {
    WriteFileBytes(PathOf("list.csv"), "a,,,,c,d,e\nb,,,,c,d,e\n");
    std::vector<TextFileProgress> calls;
    NameAddressImport(PathOf("list.csv"))
        .Into(PathOf("list.dbf"), ImportTarget::Create, [&](const TextFileProgress& p) {
            calls.push_back(p);
            return false; // a cancel at the end cancels nothing
        });
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].done, 2u);
    EXPECT_EQ(ReadRecords(PathOf("list.dbf")).size(), 2u);
}

// Another program holds the append lock of the database for holdMs.
pid_t HoldAppendLock(const std::string& dbfFile, int holdMs) {
    int ready[2];
    if (pipe(ready) != 0) {
        return -1;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(ready[0]);
        tables::TTzDbf other("Other");
        other.SetDbfFileName(dbfFile);
        other.Open();
        const char held = other.ALock() ? '1' : '0';
        (void)!write(ready[1], &held, 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
        _exit(0);
    }
    close(ready[1]);
    char held = '0';
    (void)!read(ready[0], &held, 1);
    close(ready[0]);
    return held == '1' ? pid : -1;
}

TEST_F(ImportTest, AHeldAppendLockIsWaitedFor) {
    const Record existing{{"existing"}, "x", "y", "z"};
    WriteDatabase(PathOf("list.dbf"), {existing}, ImportedDatabaseFieldDefinitions());
    const pid_t other = HoldAppendLock(PathOf("list.dbf"), 300);
    ASSERT_GT(other, 0);
    WriteFileBytes(PathOf("list.csv"), "a,,,,c,d,e\n");
    const auto start = std::chrono::steady_clock::now();
    const ImportResult result =
        NameAddressImport(PathOf("list.csv"))
            .Into(PathOf("list.dbf"), ImportTarget::Append, {}, std::chrono::milliseconds(5000));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    waitpid(other, nullptr, 0);
    EXPECT_EQ(result.appended, 1u);
    EXPECT_EQ(ReadRecords(PathOf("list.dbf")),
              (std::vector<Record>{existing, {{"a"}, "c", "d", "e"}}));
}

TEST_F(ImportTest, ALockHeldTooLongStopsTheImportAndKeepsTheDatabase) {
    const Record existing{{"existing"}, "x", "y", "z"};
    WriteDatabase(PathOf("list.dbf"), {existing}, ImportedDatabaseFieldDefinitions());
    const std::string before = ReadFileBytes(PathOf("list.dbf"));
    const pid_t other = HoldAppendLock(PathOf("list.dbf"), 1500);
    ASSERT_GT(other, 0);
    WriteFileBytes(PathOf("list.csv"), "a,,,,c,d,e\n");
    try {
        NameAddressImport(PathOf("list.csv"))
            .Into(PathOf("list.dbf"), ImportTarget::Append, {}, std::chrono::milliseconds(1000));
        ADD_FAILURE() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Another program is holding the database \"" + PathOf("list.dbf") +
                      "\" and did not let it be appended to within 1 second. 0 records were "
                      "appended.");
    }
    waitpid(other, nullptr, 0);
    EXPECT_EQ(ReadFileBytes(PathOf("list.dbf")), before);
    EXPECT_TRUE(errors_.empty());
}

} // namespace
} // namespace vell3::addresses::test
