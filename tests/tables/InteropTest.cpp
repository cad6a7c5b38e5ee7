// Tables checked against Debian's python3-dbfread and python3-dbf.

#include "DbfDate.h"
#include "TTzDbf.h"
#include "TableTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#ifndef VELL3_INTEROP_DIR
#error "VELL3_INTEROP_DIR must name the folder of the interop scripts"
#endif

namespace vell3::tables::test {
namespace {

std::string Python(const std::string& script, const std::string& argument) {
    return RunCommand("/usr/bin/python3 " VELL3_INTEROP_DIR "/" + script + " '" + argument + "'");
}

const std::vector<std::string> kFields = {"name,C,20,0", "notes,M,10,0", "when,D,8,0",
                                          "amount,N,8,2", "ok,L,1,0"};
// python-dbf does not read dBASE IV tables with memos (version 0x8B); it
// checks the same table without its memo field (version 0x03).
const std::vector<std::string> kFieldsWithoutMemo = {"name,C,20,0", "notes,X,10,0", "when,D,8,0",
                                                     "amount,N,8,2", "ok,L,1,0"};

class InteropTest : public TableTest {
protected:
    void WriteEngineTable(const std::string& path, bool withMemo = true) {
        SetShortDateFormat("M/d/yyyy");
        TTzDbf table("TzInterop");
        table.SetDbfFields(withMemo ? kFields : kFieldsWithoutMemo);
        table.SetDbfFileName(path);
        table.Open();
        ASSERT_TRUE(table.ALock());
        struct Row {
            const char* name;
            std::vector<std::string> notes;
            const char* when;
            const char* amount;
            const char* ok;
        };
        const Row rows[] = {
            {"Müller", {"line one", "line two"}, "12/31/2005", "12.5", "T"},
            {"Second", {}, "", "", "F"},
            {"Gone", {"deleted memo"}, "1/2/1999", "-3.25", "T"},
        };
        for (const auto& row : rows) {
            table.ClearRecord();
            table.SetField("name", row.name);
            if (withMemo) {
                table.SetMField("notes", row.notes);
            }
            table.SetField("when", ShortString(row.when));
            table.SetField("amount", row.amount);
            table.SetField("ok", row.ok);
            table.AppendRec();
        }
        table.UnLock();
        table.SetExclusive(true);
        table.Last();
        table.DeleteRec();
        table.Close();
    }
};

const char* const kExpectedRows =
    "{\"count\": 3}\n"
    "{\"AMOUNT\": 12.5, \"NAME\": \"Müller\", \"NOTES\": \"line one\\r\\nline two\\r\\n\", "
    "\"OK\": true, \"WHEN\": \"2005-12-31\", \"deleted\": false}\n"
    "{\"AMOUNT\": null, \"NAME\": \"Second\", \"NOTES\": null, \"OK\": false, \"WHEN\": null, "
    "\"deleted\": false}\n"
    "{\"AMOUNT\": -3.25, \"NAME\": \"Gone\", \"NOTES\": \"deleted memo\\r\\n\", \"OK\": true, "
    "\"WHEN\": \"1999-01-02\", \"deleted\": true}\n";

TEST_F(InteropTest, EngineTableReadsInDbfread) {
    WriteEngineTable(PathOf("engine.dbf"));
    EXPECT_EQ(Python("read_dbfread.py", PathOf("engine.dbf")), kExpectedRows);
}

TEST_F(InteropTest, EngineTableReadsInPythonDbf) {
    WriteEngineTable(PathOf("engine.dbf"), false);
    EXPECT_EQ(Python("read_dbf.py", PathOf("engine.dbf")),
              "{\"count\": 3}\n"
              "{\"AMOUNT\": 12.5, \"NAME\": \"Müller\", \"OK\": true, \"WHEN\": \"2005-12-31\", "
              "\"deleted\": false}\n"
              "{\"AMOUNT\": null, \"NAME\": \"Second\", \"OK\": false, \"WHEN\": null, "
              "\"deleted\": false}\n"
              "{\"AMOUNT\": -3.25, \"NAME\": \"Gone\", \"OK\": true, \"WHEN\": \"1999-01-02\", "
              "\"deleted\": true}\n");
}

// The same read checks over both kinds of table python-dbf writes.
struct Variant {
    const char* file;
    uint8_t version;
};

void PrintTo(const Variant& variant, std::ostream* out) {
    *out << variant.file;
}

class ForeignTableTest : public TableTest, public ::testing::WithParamInterface<Variant> {
protected:
    void SetUp() override {
        TableTest::SetUp();
        ASSERT_EQ(Python("make_dbf.py", dir_), "");
    }
};

TEST_P(ForeignTableTest, OpensAndReads) {
    TTzDbf table;
    table.SetCreateIfNotFound(false);
    table.SetDbfFileName(PathOf(GetParam().file));
    table.Open();
    EXPECT_EQ(table.Version(), GetParam().version);
    ASSERT_EQ(table.RecCount(), 3u);
    std::vector<std::string> lines;
    table.First();
    EXPECT_EQ(table.FieldAsString("name"), "Müller");
    table.GetMField("notes", lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"line one", "line two"}));
    EXPECT_EQ(table.FieldAsMemoText("notes"), "line one\r\nline two");
    EXPECT_EQ(table.FieldAsDate("when"), (DbfDate{2005, 12, 31}));
    EXPECT_EQ(table.FieldAsNumber("amount"), 12.5);
    EXPECT_TRUE(table.FieldAsBoolean("ok"));
    EXPECT_FALSE(table.Deleted());
    table.Next();
    table.GetMField("notes", lines);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(table.FieldAsDate("when"), std::nullopt);
    EXPECT_EQ(table.FieldAsNumber("amount"), std::nullopt);
    table.Next();
    EXPECT_TRUE(table.Deleted());
    table.GetMField("notes", lines);
    EXPECT_EQ(lines, std::vector<std::string>{"deleted memo"});
}

TEST_P(ForeignTableTest, AppendedRecordsReadBackInDbfread) {
    {
        TTzDbf table;
        table.SetCreateIfNotFound(false);
        table.SetDbfFileName(PathOf(GetParam().file));
        table.Open();
        ASSERT_TRUE(table.ALock());
        table.ClearRecord();
        table.SetField("name", "Über");
        table.SetMField("notes", {"added", "here"});
        table.AppendRec();
    }
    const std::string out = Python("read_dbfread.py", PathOf(GetParam().file));
    EXPECT_NE(out.find("{\"count\": 4}"), std::string::npos) << out;
    EXPECT_NE(out.find("\"NAME\": \"Über\", \"NOTES\": \"added\\r\\nhere\\r\\n\""),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\"NOTES\": \"line one\\r\\nline two\""), std::string::npos) << out;
}

INSTANTIATE_TEST_SUITE_P(PythonDbf, ForeignTableTest,
                         ::testing::Values(Variant{"d3.dbf", 0x83}, Variant{"fp.dbf", 0xF5}),
                         [](const auto& info) {
                             return std::string(info.param.version == 0x83 ? "DbaseThree"
                                                                           : "FoxPro");
                         });

} // namespace
} // namespace vell3::tables::test
