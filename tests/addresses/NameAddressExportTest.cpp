#include "NameAddressExport.h"
#include "AddressTable.h"
#include "AddressTestSupport.h"
#include "NameAddressImport.h"
#include "UserError.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef VELL3_INTEROP_DIR
#error "VELL3_INTEROP_DIR must name the folder of the dBASE interop scripts"
#endif

namespace vell3::addresses::test {
namespace {

using tables::test::ReadFileBytes;
using tables::test::WriteFileBytes;

class ExportTest : public tables::test::TableTest {
protected:
    std::string Export(const std::string& dbf, const std::string& text) {
        NameAddressExport run(dbf);
        const ExportResult result = run.WriteTo(text);
        EXPECT_FALSE(result.cancelled);
        return ReadFileBytes(text);
    }
};

TEST_F(ExportTest, ARecordIsOneLineOfSevenQuotedFields) {
    WriteDatabase(PathOf("people.dbf"), {{{"a", "b"}, "c", "d", "e"}},
                  AddressDatabaseFieldDefinitions());
    EXPECT_EQ(Export(PathOf("people.dbf"), PathOf("people.txt")),
              "\"a\",\"b\",\"\",\"\",\"c\",\"d\",\"e\"\r\n");
    // And that line imports back to the same record.
    NameAddressImport(PathOf("people.txt")).Into(PathOf("back.dbf"), ImportTarget::Create);
    EXPECT_EQ(ReadRecords(PathOf("back.dbf")), (std::vector<Record>{{{"a", "b"}, "c", "d", "e"}}));
}

TEST_F(ExportTest, QuotesInsideValuesAreDoubled) {
    WriteDatabase(PathOf("people.dbf"), {{{"5\" pipe, Inc"}, "Troy", "NY", "12180"}},
                  AddressDatabaseFieldDefinitions());
    EXPECT_EQ(Export(PathOf("people.dbf"), PathOf("people.txt")),
              "\"5\"\" pipe, Inc\",\"\",\"\",\"\",\"Troy\",\"NY\",\"12180\"\r\n");
}

TEST_F(ExportTest, FourMemoLinesAtMostAndDeletedRecordsIncluded) {
    WriteDatabase(PathOf("people.dbf"),
                  {{{"1", "2", "3", "4", "5"}, "c", "d", "e"}, {{}, "gone", "", "", true}},
                  AddressDatabaseFieldDefinitions());
    EXPECT_EQ(Export(PathOf("people.dbf"), PathOf("people.txt")),
              "\"1\",\"2\",\"3\",\"4\",\"c\",\"d\",\"e\"\r\n"
              "\"\",\"\",\"\",\"\",\"gone\",\"\",\"\"\r\n");
}

TEST_F(ExportTest, RecordsWithCommasQuotesAndAccentsComeBackTheSame) {
    const std::vector<Record> records{
        {{"Müller & Sön, Inc.", "\"The Annex\"", "Suite 5\" wide", "Attn: Zoë O'Neil"},
         "Köln",
         "NW",
         "50667"},
        {{"Jack \"JJ\" Smith", "12, rue de l'Église"}, "Besançon", "FR", "25000"},
        {{"\"", "a,b,c,d,e,f,g", "\"\"", "Ñandú"}, "\"Q\" Inc", "\"", "12345-6789"},
        {{}, "", "", ""},
    };
    WriteDatabase(PathOf("people.dbf"), records, ImportedDatabaseFieldDefinitions());
    const std::string text = Export(PathOf("people.dbf"), PathOf("people.txt"));
    EXPECT_EQ(text.find("\xEF\xBB\xBF"), std::string::npos);
    EXPECT_NE(text.find("Müller & Sön"), std::string::npos) << "UTF-8";

    const ImportResult result =
        NameAddressImport(PathOf("people.txt")).Into(PathOf("back.dbf"), ImportTarget::Create);
    EXPECT_EQ(result.appended, records.size());
    EXPECT_EQ(ReadRecords(PathOf("back.dbf")), records);
    EXPECT_TRUE(errors_.empty());

    // An independent reader sees the same table.
    const std::string rows = RunCommand("/usr/bin/python3 " VELL3_INTEROP_DIR "/read_dbfread.py '" +
                                        PathOf("back.dbf") + "'");
    EXPECT_NE(rows.find("{\"count\": 4}"), std::string::npos) << rows;
    EXPECT_NE(rows.find("\"ADDRESS\": \"Müller & Sön, Inc.\\r\\n\\\"The Annex\\\"\\r\\nSuite 5\\\" "
                        "wide\\r\\nAttn: Zoë O'Neil\\r\\n\", \"CITY\": \"Köln\", \"STATE\": "
                        "\"NW\", \"ZIP\": \"50667\""),
              std::string::npos)
        << rows;
    EXPECT_NE(rows.find("\"CITY\": \"Besançon\""), std::string::npos) << rows;
}

TEST_F(ExportTest, AMissingDatabaseIsAnErrorAndCreatesNothing) {
    try {
        NameAddressExport run(PathOf("nothere.dbf"));
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "The database \"" + PathOf("nothere.dbf") + "\" does not exist.");
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir_));
    EXPECT_TRUE(errors_.empty());
}

TEST_F(ExportTest, AnExistingTextFileIsReplacedWholeAndACancelLeavesItAsItWas) {
    std::vector<Record> many(1000, Record{{"name"}, "city", "st", "zip"});
    WriteDatabase(PathOf("people.dbf"), many, AddressDatabaseFieldDefinitions());
    WriteFileBytes(PathOf("people.txt"), "old text\r\n");
    {
        NameAddressExport run(PathOf("people.dbf"));
        EXPECT_EQ(run.RecordCount(), 1000u);
        int calls = 0;
        const ExportResult result =
            run.WriteTo(PathOf("people.txt"), [&](const TextFileProgress&) { return ++calls < 2; });
        EXPECT_TRUE(result.cancelled);
        EXPECT_EQ(result.written, 0u);
    }
    EXPECT_EQ(ReadFileBytes(PathOf("people.txt")), "old text\r\n");
    std::string whole;
    {
        NameAddressExport run(PathOf("people.dbf"));
        EXPECT_EQ(run.WriteTo(PathOf("people.txt")).written, 1000u);
    }
    whole = ReadFileBytes(PathOf("people.txt"));
    EXPECT_EQ(whole.size(),
              1000 * std::string("\"name\",\"\",\"\",\"\",\"city\",\"st\",\"zip\"\r\n").size());
    // No temporary file is left beside it.
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_)) {
        ++files;
    }
    EXPECT_EQ(files, 3u); // people.dbf, people.dbt, people.txt
}

TEST_F(ExportTest, ATextFileThatCannotBeWrittenIsAnErrorNamingIt) {
    WriteDatabase(PathOf("people.dbf"), {{{"a"}, "c", "d", "e"}},
                  AddressDatabaseFieldDefinitions());
    NameAddressExport run(PathOf("people.dbf"));
    try {
        run.WriteTo(PathOf("no/such/folder/people.txt"));
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot write the file \"" +
                                                 PathOf("no/such/folder/people.txt") +
                                                 "\": No such file or directory");
    }
}

TEST(ProposedTextFileNameTest, CutsTheFirstDbfWithTheCharacterAfterIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/o/list.dbf", "list.txt"},
        {"/home/o/LIST.DBF", "LIST.txt"},
        {"list.dbf.bak", "listbak.txt"},
        {"a.dbfx.dbf", "a.dbf.txt"},
        {"List.Dbf", "List.Dbf.txt"},
        {"names", "names.txt"},
        {"/home/o.dbf/people.DBF", "people.txt"},
        {"x.DBF.dbf", "x.DBF.txt"},
    };
    for (const auto& [dbf, text] : cases) {
        EXPECT_EQ(ProposedTextFileName(dbf), text) << dbf;
    }
}

} // namespace
} // namespace vell3::addresses::test
