#include "TTzDbf.h"
#include "DatasetError.h"
#include "DbfDate.h"
#include "SampleTableFields.h"
#include "TableTestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace vell3::tables::test {
namespace {

// "<prefix><n><suffix>", appended piece by piece: GCC 12 at -O3 takes
// "literal" + std::string&& for an overlapping copy (-Wrestrict).
std::string Numbered(const char* prefix, int n, const char* suffix = "") {
    std::string text(prefix);
    text.append(std::to_string(n)).append(suffix);
    return text;
}

const std::vector<std::string> kAddressFields = {"Address,M,10,0", "City,C,20,0", "State,C,4,0",
                                                 "Zip,C,10,0"};

class TTzDbfTest : public TableTest {
protected:
    void OpenAddresses(TTzDbf& table, const std::string& name = "addr.dbf") {
        table.SetDbfFields(kAddressFields);
        table.SetDbfFileName(PathOf(name));
        table.Open();
    }

    void AppendAddress(TTzDbf& table, const std::vector<std::string>& lines,
                       const std::string& city) {
        table.ClearRecord();
        table.SetMField("Address", lines);
        table.SetField("City", city);
        ASSERT_TRUE(table.ALock());
        table.AppendRec();
        table.UnLock();
    }

    // addr.dbf with the cities b, c, a, indexed on city in addr.MDX and
    // flagged in its header (byte 28) as having that production index.
    void CreateCitiesWithProductionIndex() {
        {
            TTzDbf table;
            OpenAddresses(table);
            for (const char* city : {"b", "c", "a"}) {
                AppendAddress(table, {}, city);
            }
            ASSERT_TRUE(table.IndexOnOne("city", PathOf("addr.MDX")));
        }
        std::string bytes = ReadFileBytes(PathOf("addr.dbf"));
        bytes[28] = 1;
        WriteFileBytes(PathOf("addr.dbf"), bytes);
    }
};

TEST_F(TTzDbfTest, OpeningAMissingFileCreatesItFromTheFieldList) {
    TTzDbf table("TzDbfAddress");
    OpenAddresses(table);
    EXPECT_EQ(table.Version(), 0x8B);
    ASSERT_EQ(table.Fields().size(), 4u);
    const char* names[] = {"ADDRESS", "CITY", "STATE", "ZIP"};
    const char types[] = {'M', 'C', 'C', 'C'};
    const int lengths[] = {10, 20, 4, 10};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(table.Fields()[i].name, names[i]);
        EXPECT_EQ(table.Fields()[i].type, types[i]);
        EXPECT_EQ(table.Fields()[i].length, lengths[i]);
    }
    EXPECT_EQ(table.RecCount(), 0u);
    EXPECT_TRUE(table.Eof());
    EXPECT_TRUE(FileExists(PathOf("addr.dbt")));
    EXPECT_TRUE(warnings_.empty());
}

TEST_F(TTzDbfTest, FieldListWithoutThreeCommasCreatesNothingAndTheOpenFails) {
    TTzDbf table("TzDbfAddress");
    table.SetDbfFields({"Address,M,10", "City,C,20,0"});
    table.SetDbfFileName(PathOf("x.dbf"));
    const EngineError error = ErrorOf([&] { table.Open(); });
    ASSERT_EQ(warnings_.size(), 1u);
    EXPECT_EQ(warnings_[0], "Could not create \"" + PathOf("x.dbf") + "\"");
    EXPECT_EQ(error.number, 2);
    EXPECT_EQ(error.FullText(), "Error # 2 (File not found)\r\nFailure to open " + PathOf("x.dbf") +
                                    " [USE/OpenDbf]");
    EXPECT_FALSE(table.Active());
}

TEST_F(TTzDbfTest, EmptyFieldListIsAnnounced) {
    TTzDbf table;
    table.SetDbfFileName(PathOf("y.dbf"));
    EXPECT_EQ(ErrorOf([&] { table.Open(); }).number, 2);
    EXPECT_EQ(warnings_,
              (std::vector<std::string>{"FieldList.Count is <= 0 trying to create a database",
                                        "Could not create \"" + PathOf("y.dbf") + "\""}));
}

TEST_F(TTzDbfTest, CorrectedDefinitionIsAnnounced) {
    TTzDbf table("TzDbfImport");
    table.SetDbfFields({"amount,N,30,25", "kind,Z,5,0", "skip,X,5,0", "pic,G,4,0"});
    table.SetDbfFileName(PathOf("c.dbf"));
    table.Open();
    EXPECT_EQ(warnings_, (std::vector<std::string>{
                             "Invalid field definition for TzDbfImport: amount,N,30,25. Will use "
                             "corrected definition: amount,N,20,18",
                             "Invalid field definition for TzDbfImport: kind,Z,5,0. Will use "
                             "corrected definition: kind,C,5,0",
                             "Invalid field definition for TzDbfImport: pic,G,4,0. Will use "
                             "corrected definition: pic,M,4,0"}));
    ASSERT_EQ(table.Fields().size(), 3u);
    EXPECT_EQ(table.Fields()[0].decimals, 18);
    EXPECT_EQ(table.Fields()[2].length, 10);
}

TEST_F(TTzDbfTest, MissingFileNameIsAnException) {
    TTzDbf table;
    EXPECT_THROW(
        {
            try {
                table.Open();
            } catch (const DatasetError& e) {
                EXPECT_STREQ(e.what(), "Missing DbfFilename property");
                throw;
            }
        },
        DatasetError);
}

TEST_F(TTzDbfTest, FileNameGetsDbfExtension) {
    TTzDbf table;
    table.SetDbfFileName("  " + PathOf("plain") + " ");
    EXPECT_EQ(table.DbfFileName(), PathOf("plain") + ".DBF");
    table.SetDbfFileName(PathOf("dot."));
    EXPECT_EQ(table.DbfFileName(), PathOf("dot."));
}

TEST_F(TTzDbfTest, ClosedTableOperationsAreError1103) {
    TTzDbf table("TzDbfReport");
    const EngineError error = ErrorOf([&] { table.ALock(); });
    EXPECT_EQ(error.FullText(),
              "Error # 1103 (Invalid Operation )\r\nDatabase is not open [TzDbfReport.ALock]");
    for (const auto& op : std::vector<std::function<void()>>{
             [&] { table.AppendRec(); }, [&] { table.DeleteRec(); }, [&] { table.Pack(); },
             [&] { table.ClearRecord(); }, [&] { table.UnLock(); },
             [&] { table.IndexOnOne("a", "b"); }, [&] { table.AppendFrom("z"); }}) {
        EXPECT_EQ(ErrorOf(op).number, 1103);
    }
}

TEST_F(TTzDbfTest, SharedAppendNeedsTheAppendLock) {
    TTzDbf table("TzDbfReport");
    table.SetDbfFields(LogFieldList());
    table.SetDbfFileName(PathOf("report3.dbf"));
    table.Open();
    table.ClearRecord();
    table.SetField("sentname0", "Müller");
    const EngineError error = ErrorOf([&] { table.AppendRec(); });
    EXPECT_EQ(error.FullText(),
              "Error # 5 (File access denied)\r\nFile must be locked to append: " +
                  PathOf("report3.dbf") + " [APPEND]");
    EXPECT_EQ(table.RecCount(), 0u);
    ASSERT_TRUE(table.ALock());
    EXPECT_TRUE(table.ALock());
    table.AppendRec();
    table.UnLock();
    EXPECT_EQ(table.RecCount(), 1u);
    EXPECT_EQ(table.RecNo(), 1u);
    EXPECT_EQ(table.GetField("sentname0"), "Müller" + std::string(24, ' '));
    table.Close();
    // Code page 437 on disk: ü is 0x81.
    const std::string bytes = ReadFileBytes(PathOf("report3.dbf"));
    EXPECT_EQ(bytes.substr(546, 7), "M\x81ller ");
}

TEST_F(TTzDbfTest, AtMost33TablesAreOpenAtOnce) {
    std::vector<std::unique_ptr<TTzDbf>> tables;
    for (int i = 0; i < 33; ++i) {
        tables.push_back(std::make_unique<TTzDbf>());
        OpenAddresses(*tables.back(), Numbered("t", i, ".dbf"));
    }
    TTzDbf one_more;
    one_more.SetDbfFields(kAddressFields);
    one_more.SetDbfFileName(PathOf("extra.dbf"));
    const EngineError error = ErrorOf([&] { one_more.Open(); });
    EXPECT_EQ(error.detail, "No free workarea available [Select(0)]");
    tables[5]->Close();
    one_more.Open();
    EXPECT_TRUE(one_more.Active());
}

TEST_F(TTzDbfTest, UnLockWithoutLocksDoesNothing) {
    TTzDbf table;
    OpenAddresses(table);
    table.UnLock();
    EXPECT_EQ(table.Locks(), LockState::None);
}

TEST_F(TTzDbfTest, SetMFieldJoinsLinesAsTheMemoWriterDoes) {
    struct Case {
        std::vector<std::string> given;
        std::vector<std::string> stored;
    };
    const Case cases[] = {
        {{"A", "B"}, {"A", "B"}},
        {{"A\n\r", "B\n\r"}, {"A", "", "B"}},
        {{"A", "", "B"}, {"A", "", "B"}},
        {{"Müller & Söhne", "12 Elm St."}, {"Müller & Söhne", "12 Elm St."}},
        {{}, {}},
        {{""}, {}},
    };
    TTzDbf table;
    OpenAddresses(table);
    for (const auto& c : cases) {
        AppendAddress(table, c.given, "x");
        std::vector<std::string> read = {"stale"};
        table.GetMField("address", read);
        EXPECT_EQ(read, c.stored);
    }
    table.First();
    EXPECT_EQ(table.RawFieldBytes("Address"), "         1");
}

TEST_F(TTzDbfTest, MemoFieldNamesAreCheckedAsError220) {
    TTzDbf table;
    OpenAddresses(table);
    std::vector<std::string> lines;
    EngineError error = ErrorOf([&] { table.GetMField("Nowhere", lines); });
    EXPECT_EQ(error.number, 220);
    EXPECT_EQ(error.detail, "Field \"Nowhere\" not in \"" + PathOf("addr.dbf") + "\" [GetMField]");
    error = ErrorOf([&] { table.SetMField("City", {"x"}); });
    EXPECT_EQ(error.number, 220);
    EXPECT_EQ(error.detail,
              "\"SetMField()\" expects field \"City\" to be of type:\r\n\"memo\".\"City\" "
              "actually is: \"Character\"");
    EXPECT_EQ(ErrorOf([&] { table.GetMField("address   xyz", lines); }).number, 0);
}

TEST_F(TTzDbfTest, UnknownFieldIsAnException) {
    TTzDbf table;
    OpenAddresses(table);
    try {
        table.GetField("county");
        FAIL();
    } catch (const DatasetError& e) {
        EXPECT_STREQ(e.what(), "Field 'county' not found");
    }
}

TEST_F(TTzDbfTest, DatesAreReadInTheShortDateFormat) {
    struct Case {
        const char* format;
        const char* text;
        const char* stored;
    };
    const Case cases[] = {
        {"M/d/yyyy", "12/31/2005", "20051231"},
        {"M/d/yyyy", "1/5/2006", "20060105"},
        {"MM/dd/yyyy", "01/05/2006", "20060105"},
        {"dd.MM.yyyy", "31.12.2005", "20051231"},
        {"M/d/yyyy", "", "        "},
        {"M/d/yyyy", "   ", "        "},
    };
    TTzDbf table("TzDbfReport");
    table.SetDbfFields(LogFieldList());
    table.SetDbfFileName(PathOf("report3.dbf"));
    table.Open();
    for (const auto& c : cases) {
        SetShortDateFormat(c.format);
        table.ClearRecord();
        table.SetField("rdate", ShortString(c.text));
        EXPECT_EQ(table.RawFieldBytes("rdate"), c.stored) << c.text;
    }
    SetShortDateFormat("M/d/yyyy");
    for (const char* bad : {"13/1/2005", "2/30/2005", "tomorrow", "1/2/3/4"}) {
        try {
            table.SetField("rdate", ShortString(bad));
            ADD_FAILURE() << bad;
        } catch (const DatasetError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid date");
        }
    }
    table.SetField("rdate", ShortString("12/31/2005 and more"));
    EXPECT_EQ(table.RawFieldBytes("rdate"), "20051231");
    EXPECT_EQ(table.GetField("rdate"), "12/31/2005");
}

// The desktop program runs in the user's locale, where the decimal point may
// be a comma; numbers in the file are dBASE's, with a point, whatever it is.
TEST_F(TTzDbfTest, NumbersIgnoreTheProgramsLocale) {
    const std::string localeDir = PathOf("locale");
    const std::string build =
        "localedef -i de_DE -f UTF-8 '" + localeDir + "/de_DE.UTF-8' >/dev/null 2>&1";
    ASSERT_EQ(std::system(("mkdir -p '" + localeDir + "'").c_str()), 0);
    if (std::system(build.c_str()) != 0) {
        GTEST_SKIP() << "no de_DE locale source to build a comma-decimal locale from";
    }
    setenv("LOCPATH", localeDir.c_str(), 1);
    const char* applied = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    struct Restore {
        ~Restore() {
            std::setlocale(LC_NUMERIC, "C");
            unsetenv("LOCPATH");
        }
    } restore;
    ASSERT_NE(applied, nullptr);

    TTzDbf table;
    table.SetDbfFields({"amount,N,8,2", "count,N,5,0"});
    table.SetDbfFileName(PathOf("money.dbf"));
    table.Open();
    table.ClearRecord();
    table.SetField("amount", "1234.5");
    table.SetField("count", "42");
    ASSERT_TRUE(table.ALock());
    table.AppendRec();
    table.Insert();
    table.SetFieldAsNumber("amount", -0.25);
    table.Post();
    table.UnLock();
    table.First();
    EXPECT_EQ(table.RawFieldBytes("amount"), " 1234.50");
    EXPECT_EQ(table.RawFieldBytes("count"), "   42");
    EXPECT_EQ(table.FieldAsNumber("amount"), 1234.5);
    table.Last();
    EXPECT_EQ(table.RawFieldBytes("amount"), "   -0.25");
    EXPECT_EQ(table.FieldAsNumber("amount"), -0.25);
}

TEST_F(TTzDbfTest, GetFieldPadsCharacterFields) {
    TTzDbf table;
    OpenAddresses(table);
    AppendAddress(table, {"a"}, "Boston");
    EXPECT_EQ(table.GetField("city"), "Boston" + std::string(14, ' '));
    EXPECT_EQ(table.GetField("ADDRESS"), "a\r\n");
}

TEST_F(TTzDbfTest, DeleteAndPackOnAnExclusiveTable) {
    TTzDbf table;
    OpenAddresses(table);
    AppendAddress(table, {"keep one"}, "A");
    AppendAddress(table, {"drop", "this"}, "B");
    AppendAddress(table, {"keep two"}, "C");
    const auto memoBefore = ReadFileBytes(PathOf("addr.dbt")).size();
    table.SetExclusive(true);
    EXPECT_EQ(table.RecCount(), 3u);
    table.First();
    table.Next();
    table.DeleteRec();
    EXPECT_TRUE(table.Deleted());
    EXPECT_EQ(table.RecCount(), 3u);
    EXPECT_TRUE(table.Pack());
    EXPECT_EQ(table.RecCount(), 2u);
    EXPECT_EQ(table.RecNo(), 1u);
    std::vector<std::string> lines;
    table.GetMField("address", lines);
    EXPECT_EQ(lines, std::vector<std::string>{"keep one"});
    table.Next();
    table.GetMField("address", lines);
    EXPECT_EQ(lines, std::vector<std::string>{"keep two"});
    EXPECT_EQ(table.GetField("city").substr(0, 1), "C");
    table.Close();
    const std::string memo = ReadFileBytes(PathOf("addr.dbt"));
    EXPECT_LT(memo.size(), memoBefore);
    EXPECT_EQ(memo.size(), 512u + 512 + 8 + 10);
    EXPECT_EQ(memo.substr(520, 10), "keep one\r\n");
    EXPECT_EQ(memo.substr(1032, 10), "keep two\r\n");
    const std::string dbf = ReadFileBytes(PathOf("addr.dbf"));
    EXPECT_EQ(Le32At(dbf, 4), 2u);
    EXPECT_EQ(dbf.size(), Le16At(dbf, 8) + 2u * Le16At(dbf, 10) + 1);
}

TEST_F(TTzDbfTest, DeleteRecOnASharedTableNeedsARecordLock) {
    TTzDbf table;
    OpenAddresses(table);
    AppendAddress(table, {"a"}, "A");
    ASSERT_TRUE(table.ALock());
    const EngineError error = ErrorOf([&] { table.DeleteRec(); });
    EXPECT_EQ(error.number, 1200);
    EXPECT_EQ(error.detail, PathOf("addr.dbf") + " Record not locked [DeleteRec]");
}

TEST_F(TTzDbfTest, AppendFromCopiesRecordsAndMemos) {
    {
        TTzDbf source;
        OpenAddresses(source, "src.dbf");
        AppendAddress(source, {"one", "street"}, "Boston");
        AppendAddress(source, {"two"}, "Denver");
    }
    TTzDbf target;
    OpenAddresses(target, "dst.dbf");
    ASSERT_TRUE(target.ALock());
    target.AppendFrom(PathOf("src"));
    target.UnLock();
    EXPECT_EQ(target.RecCount(), 2u);
    target.First();
    std::vector<std::string> lines;
    target.GetMField("address", lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "street"}));
    target.Next();
    EXPECT_EQ(target.GetField("city").substr(0, 6), "Denver");
}

TEST_F(TTzDbfTest, AppendFromConvertsFieldsByName) {
    {
        TTzDbf source;
        source.SetDbfFields({"zip,C,5,0", "city,C,30,0", "when,D,8,0", "other,N,5,1"});
        source.SetDbfFileName(PathOf("src.dbf"));
        source.SetExclusive(true);
        source.Open();
        source.ClearRecord();
        source.SetField("zip", "02134");
        source.SetField("city", "A city with a long name here");
        source.SetField("when", ShortString("2/3/2004"));
        source.AppendRec();
        source.DeleteRec();
    }
    TTzDbf target;
    OpenAddresses(target, "dst.dbf");
    ASSERT_TRUE(target.ALock());
    target.AppendFrom(PathOf("src.dbf"));
    target.First();
    EXPECT_TRUE(target.Deleted());
    EXPECT_EQ(target.GetField("city"), "A city with a long n");
    EXPECT_EQ(target.GetField("zip"), "02134     ");
}

TEST_F(TTzDbfTest, AppendFromReadsAnOpenSourceThroughItsTable) {
    TTzDbf source;
    OpenAddresses(source, "src.dbf");
    AppendAddress(source, {"one"}, "Boston");
    source.First();
    TTzDbf target;
    OpenAddresses(target, "dst.dbf");
    ASSERT_TRUE(target.ALock());
    target.AppendFrom(PathOf("SRC.DBF")); // the open table, whatever the letter case
    EXPECT_EQ(target.RecCount(), 1u);
    EXPECT_EQ(source.RecNo(), 1u);
    EXPECT_TRUE(source.Active());
}

TEST_F(TTzDbfTest, ProductionIndexFlagOpensTheIndexNamedLikeTheTable) {
    CreateCitiesWithProductionIndex();
    TTzDbf table;
    OpenAddresses(table);
    EXPECT_TRUE(table.HasIndex());
    EXPECT_EQ(table.FieldAsString("city"), "a");
    table.Close();
    // An index this engine cannot read leaves the table in record order.
    WriteFileBytes(PathOf("addr.MDX"), "not an index");
    table.Open();
    EXPECT_FALSE(table.HasIndex());
    EXPECT_EQ(table.FieldAsString("city"), "b");
    EXPECT_TRUE(errors_.empty());
}

// A read-only table (the source of AppendFrom is opened so) opens its
// production index and keeps the index semaphore like any other.
TEST_F(TTzDbfTest, ReadOnlyTableOpensItsProductionIndex) {
    CreateCitiesWithProductionIndex();
    TTzDbf table;
    table.SetReadOnly(true);
    OpenAddresses(table);
    EXPECT_TRUE(table.HasIndex());
    EXPECT_EQ(table.FieldAsString("city"), "a");
    EXPECT_EQ(ReadFileBytes(PathOf("addr.@S@")).substr(0, 1), "\x01");
    table.Close();
    EXPECT_FALSE(std::filesystem::exists(PathOf("addr.@S@")));
    EXPECT_TRUE(errors_.empty());
}

TEST_F(TTzDbfTest, ReadOnlyTablesRefuseChanges) {
    {
        TTzDbf table;
        OpenAddresses(table);
        AppendAddress(table, {"a"}, "Boston");
    }
    TTzDbf table;
    table.SetReadOnly(true);
    OpenAddresses(table);
    EXPECT_THROW(table.Edit(), DatasetError);
    EXPECT_THROW(table.Insert(), DatasetError);
    EXPECT_FALSE(table.ALock());
    EXPECT_EQ(table.GetField("city").substr(0, 6), "Boston");
}

TEST_F(TTzDbfTest, AppendFromItselfOrAMissingFileIsAnError) {
    TTzDbf table;
    OpenAddresses(table);
    ASSERT_TRUE(table.ALock());
    EngineError error = ErrorOf([&] { table.AppendFrom(PathOf("ADDR.DBF")); });
    EXPECT_EQ(error.number, 214);
    EXPECT_EQ(error.detail,
              "Attempting to append file to itself. [AppendFrom(" + PathOf("ADDR.DBF") + ")]");
    error = ErrorOf([&] { table.AppendFrom(PathOf("none")); });
    EXPECT_EQ(error.number, 2);
    EXPECT_EQ(error.detail, "[AppendFrom(" + PathOf("none.DBF") + ")]");
}

TEST_F(TTzDbfTest, AppendFromWithoutTheLockStopsAtTheFirstRecord) {
    {
        TTzDbf source;
        OpenAddresses(source, "src.dbf");
        AppendAddress(source, {"one"}, "Boston");
    }
    TTzDbf target;
    OpenAddresses(target, "dst.dbf");
    const EngineError error = ErrorOf([&] { target.AppendFrom(PathOf("src.dbf")); });
    EXPECT_EQ(error.number, 5);
    EXPECT_EQ(target.RecCount(), 0u);
}

TEST_F(TTzDbfTest, NavigationVisitsDeletedRecordsUnlessHidden) {
    TTzDbf table;
    OpenAddresses(table);
    for (const char* city : {"A", "B", "C"}) {
        AppendAddress(table, {}, city);
    }
    table.SetExclusive(true);
    table.First();
    table.Next();
    table.DeleteRec();
    std::string seen;
    for (table.First(); !table.Eof(); table.Next()) {
        seen += table.GetField("city").substr(0, 1);
    }
    EXPECT_EQ(seen, "ABC");
    EXPECT_EQ(table.RecNo(), 3u);
    table.SetHideDeletedRecs(true);
    seen.clear();
    for (table.First(); !table.Eof(); table.Next()) {
        seen += table.GetField("city").substr(0, 1);
    }
    EXPECT_EQ(seen, "AC");
    table.Last();
    table.Prior();
    EXPECT_EQ(table.RecNo(), 1u);
    table.Prior();
    EXPECT_TRUE(table.Bof());
}

} // namespace
} // namespace vell3::tables::test
