#include "DbfFile.h"
#include "TTzDbf.h"
#include "TableTestSupport.h"

#include <gtest/gtest.h>

namespace vell3::tables::test {
namespace {

// A valid table of one C field of 4 bytes and two records, for damaging.
std::string GoodTable() {
    std::string bytes(65, '\0');
    bytes[0] = 0x03;
    bytes[4] = 2;
    bytes[8] = 65;
    bytes[10] = 5;
    bytes.replace(32, 4, "NAME");
    bytes[43] = 'C';
    bytes[48] = 4;
    bytes[64] = 0x0D;
    bytes += " abcd efgh\x1A";
    return bytes;
}

struct BadFile {
    const char* name;
    std::string bytes;
    int number;
    const char* detailStart; // after the file name (or the whole detail when it has none)
};

void PrintTo(const BadFile& bad, std::ostream* out) {
    *out << bad.name;
}

class MalformedTableTest : public TableTest, public ::testing::WithParamInterface<BadFile> {};

std::string With(std::string bytes, size_t at, std::string_view part) {
    bytes.replace(at, part.size(), part);
    return bytes;
}

const BadFile kBadFiles[] = {
    {"Empty", "", 210, " is not a dBASE database. (Prolog is less than 32 bytes) [USE/OpenDBF]"},
    {"Short", std::string(20, '\x03'), 210,
     " is not a dBASE database. (Prolog is less than 32 bytes) [USE/OpenDBF]"},
    {"VersionByte30", With(GoodTable(), 0, "\x30"), 210,
     " is not a dBASE database.(Invalid version byte)+ [USE/OpenDBF]"},
    {"VersionByteFF", With(GoodTable(), 0, "\xFF"), 210,
     " is not a dBASE database.(Invalid version byte)+ [USE/OpenDBF]"},
    {"HeaderOf32", With(GoodTable(), 8, std::string("\x20\x00", 2)), 210,
     " is not a dBASE database. (Number of fields is out of range) [Use/OpenDbf]"},
    {"TooManyFields", With(GoodTable(), 8, std::string("\xFF\xFF", 2)), 210,
     " is not a dBASE database. (Number of fields is out of range) [Use/OpenDbf]"},
    {"HeaderBeyondFile", With(GoodTable(), 8, std::string("\x00\x20", 2)), 210,
     " is not a dBASE database. (Header length exceeds the file) [Use/OpenDbf]"},
    {"RecordLengthZero", With(GoodTable(), 10, std::string("\x00\x00", 2)), 210,
     " is not a dBASE database. (Record length is 0) [Use/OpenDbf]"},
    {"FieldBeyondRecord", With(GoodTable(), 48, "\x40"), 210,
     " is not a dBASE database. (Fields exceed the record length) [Use/OpenDbf]"},
    {"NoDescriptors", With(GoodTable(), 32, "\x0D"), 222,
     " has no field descriptors [Use/OpenDbf]"},
    {"BadFieldType", With(GoodTable(), 43, "Q"), 211, ""},
    {"DbaseTwoShortHeader", With(GoodTable(), 0, "\x02"), 210,
     " is not a dBASE database.(Header is less than 521 bytes) [Use/OpenDBF]"},
};

TEST_P(MalformedTableTest, OpenEndsInItsError) {
    const BadFile& bad = GetParam();
    const std::string path = PathOf("bad.dbf");
    WriteFileBytes(path, bad.bytes);
    DbfFile file;
    const EngineError error = ErrorOf([&] { file.OpenDbf(path, {}); });
    EXPECT_EQ(error.number, bad.number);
    if (std::string_view(bad.name) == "BadFieldType") {
        EXPECT_EQ(error.detail, "Field: NAME [Q] in " + path + " is not a valid field type");
    } else if (std::string_view(bad.name) == "HeaderOf32" ||
               std::string_view(bad.name) == "TooManyFields") {
        EXPECT_EQ(error.detail, "bad.dbf" + std::string(bad.detailStart));
    } else {
        EXPECT_EQ(error.detail, path + bad.detailStart);
    }
    EXPECT_FALSE(file.IsOpen());
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0].number, bad.number);
}

INSTANTIATE_TEST_SUITE_P(Files, MalformedTableTest, ::testing::ValuesIn(kBadFiles),
                         [](const auto& info) { return std::string(info.param.name); });

class TruncatedTableTest : public TableTest {};

TEST_F(TruncatedTableTest, RecordsPastTheEndAreError213) {
    std::string bytes = GoodTable();
    bytes[4] = 9; // the header claims nine records
    bytes.resize(bytes.size() - 4);
    WriteFileBytes(PathOf("t.dbf"), bytes);
    TTzDbf table("TzTest");
    table.SetDbfFileName(PathOf("t.dbf"));
    table.SetExclusive(true);
    table.Open();
    EXPECT_EQ(table.GetField("name"), "abcd");
    const EngineError error = ErrorOf([&] { table.Next(); });
    EXPECT_EQ(error.number, 213);
    EXPECT_EQ(error.detail, "File:  " + PathOf("t.dbf") + "  [GetDbfRecord]");
}

// The part of a record that could be read must not mix into the current
// record's buffer, which a following post writes back.
TEST_F(TruncatedTableTest, ShortReadLeavesTheCurrentRecordIntact) {
    std::string bytes = GoodTable();
    bytes.resize(bytes.size() - 3); // record 2 ends after " e"
    WriteFileBytes(PathOf("t.dbf"), bytes);
    TTzDbf table("TzTest");
    table.SetDbfFileName(PathOf("t.dbf"));
    table.SetExclusive(true);
    table.Open();
    EXPECT_EQ(ErrorOf([&] { table.Next(); }).number, 213);
    EXPECT_EQ(table.RecNo(), 1u);
    EXPECT_EQ(table.RawFieldBytes("name"), "abcd");
}

// A header count far beyond the records in the file must not size the
// index build's memory: the build meets the end of the file as error 213.
TEST_F(TruncatedTableTest, HugeHeaderCountEndsTheIndexBuildIn213) {
    const std::string bytes = With(GoodTable(), 4, std::string("\xFF\xFF\xFF\x7F", 4));
    WriteFileBytes(PathOf("t.dbf"), bytes);
    TTzDbf table("TzTest");
    table.SetDbfFileName(PathOf("t.dbf"));
    table.SetExclusive(true);
    table.Open();
    const EngineError error = ErrorOf([&] { table.IndexOnOne("name", "name"); });
    EXPECT_EQ(error.number, 213);
    EXPECT_EQ(error.detail, "File:  " + PathOf("t.dbf") + "  [GetDbfRecord]");
}

// A pack of a table that holds fewer records than its header claims stops
// before it moves any record, rather than halfway with records doubled.
TEST_F(TruncatedTableTest, PackOfATruncatedTableChangesNothing) {
    std::string bytes = GoodTable();
    bytes[4] = 3;    // the header claims three records
    bytes[65] = '*'; // the first is deleted
    WriteFileBytes(PathOf("t.dbf"), bytes);
    TTzDbf table("TzTest");
    table.SetDbfFileName(PathOf("t.dbf"));
    table.SetExclusive(true);
    table.Open();
    const EngineError error = ErrorOf([&] { table.Pack(); });
    EXPECT_EQ(error.number, 213);
    EXPECT_EQ(error.detail, "File:  " + PathOf("t.dbf") + "  [GetDbfRecord]");
    table.Close();
    EXPECT_EQ(ReadFileBytes(PathOf("t.dbf")).substr(65), "*abcd efgh\x1A");
}

TEST_F(TruncatedTableTest, MemoPointerBeyondTheMemoFileIsError1003) {
    TTzDbf table("TzTest");
    table.SetDbfFields({"notes,M,10,0"});
    table.SetDbfFileName(PathOf("m.dbf"));
    table.SetExclusive(true);
    table.Open();
    table.ClearRecord();
    table.SetMField("notes", {"x"});
    table.AppendRec();
    table.Close();
    std::string bytes = ReadFileBytes(PathOf("m.dbf"));
    bytes.replace(66, 10, "      9999");
    WriteFileBytes(PathOf("m.dbf"), bytes);
    table.Open();
    std::vector<std::string> lines;
    const EngineError error = ErrorOf([&] { table.GetMField("notes", lines); });
    EXPECT_EQ(error.number, 1003);
    EXPECT_EQ(error.detail, PathOf("m.dbt") + " Record # 1 [GetMemo]");
}

} // namespace
} // namespace vell3::tables::test
