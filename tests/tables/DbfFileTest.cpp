#include "DbfFile.h"
#include "FieldList.h"
#include "SampleTableFields.h"
#include "TableTestSupport.h"

#include <gtest/gtest.h>

namespace vell3::tables::test {
namespace {

class DbfFileTest : public TableTest {};

std::vector<FieldDef> Defs(const std::vector<std::string>& lines) {
    std::vector<FieldDef> defs;
    for (const auto& line : lines) {
        defs.push_back(ParseFieldListLine(line));
    }
    return defs;
}

TEST_F(DbfFileTest, LogTableHeaderHasSixteenDescriptorsAndEightByteDate) {
    const std::string path = PathOf("report3.dbf");
    DbfFile::CreateDbf(path, Defs(LogFieldList()));
    const std::string bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 546u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x03);
    EXPECT_EQ(Le32At(bytes, 4), 0u);
    EXPECT_EQ(Le16At(bytes, 8), 545);
    // 30*4 + 20 + 4 + 10 + 24 + 8 + 10*5 + 40 + 25 + deletion flag
    EXPECT_EQ(Le16At(bytes, 10), 1 + 120 + 20 + 4 + 10 + 24 + 8 + 50 + 40 + 25);
    EXPECT_EQ(bytes[544], 0x0D);
    EXPECT_EQ(bytes[545], 0x1A);
    const size_t rdate = 32 + 8 * 32;
    EXPECT_EQ(bytes.substr(rdate, 6), std::string("RDATE\0", 6));
    EXPECT_EQ(bytes[rdate + 11], 'D');
    EXPECT_EQ(static_cast<unsigned char>(bytes[rdate + 16]), 8);
    EXPECT_FALSE(FileExists(PathOf("report3.dbt")));
    for (size_t i = 12; i < 32; ++i) {
        EXPECT_EQ(bytes[i], 0) << i;
    }
}

TEST_F(DbfFileTest, MemoTableGetsVersion8BAnd24ByteMemoFile) {
    const std::string path = PathOf("addr.dbf");
    DbfFile::CreateDbf(path, Defs({"address,M,10,0", "city,C,35,0"}));
    const std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x8B);
    EXPECT_EQ(bytes.size(), static_cast<size_t>(Le16At(bytes, 8)) + 1);
    EXPECT_EQ(static_cast<unsigned char>(bytes[32 + 16]), 10);
    const std::string memo = ReadFileBytes(PathOf("addr.dbt"));
    ASSERT_EQ(memo.size(), 24u);
    EXPECT_EQ(Le32At(memo, 0), 1u);
    EXPECT_EQ(memo.substr(8, 8), std::string("addr\0\0\0\0", 8));
    EXPECT_EQ(memo[18], 0x02);
    EXPECT_EQ(memo[19], 0x01);
    EXPECT_EQ(Le16At(memo, 20), 512);
}

TEST_F(DbfFileTest, InvalidDefinitionsAreError211) {
    const std::vector<std::vector<FieldDef>> cases = {
        {{"", 'C', 10, 0}},      {{"   ", 'C', 10, 0}}, {{"name", 'C', 0, 0}},
        {{"amount", 'N', 0, 0}}, {{"what", 'Q', 5, 0}}, {},
    };
    for (const auto& defs : cases) {
        const EngineError error = ErrorOf([&] { DbfFile::CreateDbf(PathOf("bad.dbf"), defs); });
        EXPECT_EQ(error.number, 211);
        EXPECT_EQ(error.detail, "Invalid dBASE field definition [CreateDBF]");
    }
}

TEST_F(DbfFileTest, NamesAreTrimmedCutAndUpperCased) {
    const std::string path = PathOf("n.dbf");
    DbfFile::CreateDbf(path, {{" \tverylongfieldname ", 'c', 5, 3}});
    DbfFile file;
    file.OpenDbf(path, {});
    ASSERT_EQ(file.Fields().size(), 1u);
    EXPECT_EQ(file.Fields()[0].name, "VERYLONGFI");
    EXPECT_EQ(file.Fields()[0].type, 'C');
    EXPECT_EQ(file.Fields()[0].decimals, 0);
}

TEST_F(DbfFileTest, DeletionWritesOnlyTheFlagByte) {
    const std::string path = PathOf("d.dbf");
    DbfFile::CreateDbf(path, Defs({"name,C,10,0"}));
    DbfFile file;
    file.OpenDbf(path, {.exclusive = true});
    file.PutDbfRecord(1, " Boston    ");
    file.PutDbfRecord(2, " Chicago   ");
    file.CloseDbf(false);
    const std::string before = ReadFileBytes(path);
    file.OpenDbf(path, {.exclusive = true});
    file.WriteDeletionFlag(1, true);
    file.CloseDbf(false);
    const std::string after = ReadFileBytes(path);
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i) {
        if (i == 1 || i == 2 || i == 3) {
            continue; // the date of last update
        }
        if (i == static_cast<size_t>(Le16At(before, 8))) {
            EXPECT_EQ(after[i], '*');
        } else {
            EXPECT_EQ(after[i], before[i]) << i;
        }
    }
    EXPECT_EQ(Le32At(after, 4), 2u);
}

TEST_F(DbfFileTest, AppendsCountAndEndOfFileByteAfterClose) {
    const std::string path = PathOf("a.dbf");
    DbfFile::CreateDbf(path, Defs({"name,C,4,0"}));
    DbfFile file;
    file.OpenDbf(path, {.exclusive = true});
    EXPECT_EQ(file.PutDbfRecord(7, " abcd"), 1u);
    EXPECT_EQ(file.PutDbfRecord(2, " efgh"), 2u);
    file.CloseDbf(false);
    const std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(Le32At(bytes, 4), 2u);
    EXPECT_EQ(bytes.size(), 32u + 32 + 1 + 10 + 1);
    EXPECT_EQ(bytes.substr(65, 10), " abcd efgh");
    EXPECT_EQ(bytes.back(), 0x1A);
}

TEST_F(DbfFileTest, RecordNumberOutOfRangeIsError212) {
    const std::string path = PathOf("r.dbf");
    DbfFile::CreateDbf(path, Defs({"name,C,4,0"}));
    DbfFile file;
    file.OpenDbf(path, {});
    std::string buffer;
    const EngineError error = ErrorOf([&] { file.GetDbfRecord(1, buffer); });
    EXPECT_EQ(error.number, 212);
    EXPECT_EQ(error.detail, "Invalid record number = 1 (" + path + ")  [GetDbfRecord]");
}

// dBASE 7: a 68-byte prolog and 48-byte descriptors with 32-byte names.
TEST_F(DbfFileTest, ReadsDbaseSevenLayout) {
    std::string bytes(68 + 2 * 48 + 1, '\0');
    bytes[0] = static_cast<char>(0x8C);
    bytes[4] = 1;
    bytes[8] = static_cast<char>(bytes.size());
    bytes[10] = 1 + 12 + 10;
    bytes.replace(68, 9, "long_name");
    bytes[68 + 32] = 'C';
    bytes[68 + 33] = 12;
    bytes.replace(68 + 48, 5, "notes");
    bytes[68 + 48 + 32] = 'M';
    bytes[68 + 48 + 33] = 10;
    bytes.back() = 0x0D;
    bytes += " hello world          1";
    WriteFileBytes(PathOf("seven.dbf"), bytes);
    std::string memo(512, '\0');
    memo[0] = 2;
    memo += std::string("\xFF\xFF\x08\x00\x0D\x00\x00\x00memo!", 13);
    WriteFileBytes(PathOf("seven.dbt"), memo);
    DbfFile file;
    file.OpenDbf(PathOf("seven.dbf"), {.exclusive = true});
    ASSERT_EQ(file.Fields().size(), 2u);
    EXPECT_EQ(file.Fields()[0].name, "LONG_NAME");
    EXPECT_EQ(file.Fields()[1].offset, 13);
    EXPECT_EQ(file.GetMemoType(), 0x8C);
    std::string record;
    file.GetDbfRecord(1, record);
    EXPECT_EQ(record.substr(1, 12), "hello world ");
    EXPECT_EQ(file.Memo().ReadText(1, 1), "memo!");
}

TEST_F(DbfFileTest, MissingMemoFileIsReported) {
    const std::string path = PathOf("m.dbf");
    DbfFile::CreateDbf(path, Defs({"notes,M,10,0"}));
    std::remove(PathOf("m.dbt").c_str());
    DbfFile file;
    const EngineError error = ErrorOf([&] { file.OpenDbf(path, {}); });
    EXPECT_EQ(error.number, 2);
    EXPECT_EQ(error.detail, "Memo file not found: " + PathOf("m.dbt") + " [USE]");
    EXPECT_FALSE(file.IsOpen());
}

} // namespace
} // namespace vell3::tables::test
