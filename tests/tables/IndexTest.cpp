// One-tag index files, key order and the index semaphore.

#include "DbfDate.h"
#include "IndexSemaphore.h"
#include "SampleTableFields.h"
#include "TTzDbf.h"
#include "TableTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace vell3::tables::test {
namespace {

class IndexTest : public TableTest {
protected:
    void SetUp() override {
        TableTest::SetUp();
        SetShortDateFormat("M/d/yyyy");
        std::filesystem::create_directories(PathOf("Reports"));
        table_.SetDbfFields(LogFieldList());
        table_.SetDbfFileName(PathOf("Reports/report3.dbf"));
        table_.Open();
    }

    void AppendLog(const std::string& name, const std::string& date) {
        table_.ClearRecord();
        table_.SetField("sentname0", name);
        table_.SetField("rdate", ShortString(date));
        ASSERT_TRUE(table_.ALock());
        table_.AppendRec();
        table_.UnLock();
    }

    std::string Order(const char* field) {
        std::string seen;
        for (table_.First(); !table_.Eof(); table_.Next()) {
            seen += table_.FieldAsString(field) + ";";
        }
        return seen;
    }

    TTzDbf table_{"TzDbfReport"};
};

TEST_F(IndexTest, NameIndexLandsBesideTheTableAndOrdersByName) {
    for (const char* name : {"Miller", "adams", "Baker", "Zorn", "Adams"}) {
        AppendLog(name, "");
    }
    ASSERT_TRUE(table_.IndexOnOne("sentname0", "name"));
    EXPECT_TRUE(FileExists(PathOf("Reports/name.MDX")));
    EXPECT_EQ(Order("sentname0"), "Adams;Baker;Miller;Zorn;adams;");
    table_.Last();
    EXPECT_EQ(table_.FieldAsString("sentname0"), "adams");
    table_.Prior();
    EXPECT_EQ(table_.FieldAsString("sentname0"), "Zorn");
    EXPECT_EQ(table_.RecNo(), 4u);
}

TEST_F(IndexTest, DateIndexOrdersByDateNotByItsText) {
    AppendLog("c", "1/5/2006");
    AppendLog("a", "12/31/2005");
    AppendLog("d", "2/1/2006");
    AppendLog("b", "");
    ASSERT_TRUE(table_.IndexOnOne("rdate", "rdate"));
    EXPECT_EQ(Order("sentname0"), "b;a;c;d;");
}

TEST_F(IndexTest, HeaderCarriesTheDbaseFourValues) {
    AppendLog("x", "");
    ASSERT_TRUE(table_.IndexOnOne("sentname0", "name"));
    const std::string bytes = ReadFileBytes(PathOf("Reports/name.MDX"));
    ASSERT_GE(bytes.size(), 3072u);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes.substr(4, 16), std::string("report3\0\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(Le16At(bytes, 20), 2);
    EXPECT_EQ(Le16At(bytes, 22), 1024);
    EXPECT_EQ(bytes[24], 1);
    EXPECT_EQ(bytes[25], 48);
    EXPECT_EQ(bytes[26], 32);
    EXPECT_EQ(Le16At(bytes, 28), 1);
    EXPECT_EQ(bytes.substr(44, 3), bytes.substr(1, 3));
    EXPECT_EQ(bytes.substr(548, 10), std::string("dummy_tag\0", 10));
    const std::string table = ReadFileBytes(PathOf("Reports/report3.dbf"));
    EXPECT_EQ(table[28], 0);
}

TEST_F(IndexTest, AppendsAndKeyChangesKeepTheOrder) {
    AppendLog("m", "");
    AppendLog("c", "");
    ASSERT_TRUE(table_.IndexOnOne("sentname0", "name"));
    AppendLog("a", "");
    AppendLog("z", "");
    EXPECT_EQ(table_.FieldAsString("sentname0"), "z");
    EXPECT_EQ(Order("sentname0"), "a;c;m;z;");
    table_.First(); // "a"
    table_.Edit();
    table_.SetFieldAsString("sentname0", "y");
    table_.Post();
    EXPECT_EQ(table_.FieldAsString("sentname0"), "y");
    table_.Next();
    EXPECT_EQ(table_.FieldAsString("sentname0"), "z");
    EXPECT_EQ(Order("sentname0"), "c;m;y;z;");
    // What the file holds is the same order.
    table_.SetIndexTo(PathOf("Reports/name.MDX"));
    EXPECT_EQ(Order("sentname0"), "c;m;y;z;");
}

TEST_F(IndexTest, ManyRecordsGoThroughInteriorNodes) {
    std::string expected;
    for (int i = 2999; i >= 0; --i) {
        char name[16];
        std::snprintf(name, sizeof name, "n%05d", i);
        AppendLog(name, "");
    }
    for (int i = 0; i < 3000; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "n%05d;", i);
        expected += name;
    }
    ASSERT_TRUE(table_.IndexOnOne("SENTNAME0", ""));
    EXPECT_TRUE(FileExists(PathOf("Reports/report3.MDX")));
    EXPECT_GT(ReadFileBytes(PathOf("Reports/report3.MDX")).size(), 3072u + 60 * 1024);
    EXPECT_EQ(Order("sentname0"), expected);
}

TEST_F(IndexTest, SortingAgainRebuildsTheFile) {
    AppendLog("b", "");
    ASSERT_TRUE(table_.IndexOnOne("sentname0", "name"));
    const std::string first = ReadFileBytes(PathOf("Reports/name.MDX"));
    table_.Close();
    std::filesystem::resize_file(PathOf("Reports/name.MDX"), 100); // damage the old one
    table_.Open();
    AppendLog("a", "");
    ASSERT_TRUE(table_.IndexOnOne("sentname0", "name"));
    EXPECT_EQ(Order("sentname0"), "a;b;");
    EXPECT_GT(ReadFileBytes(PathOf("Reports/name.MDX")).size(), 100u);
}

TEST_F(IndexTest, SemaphoreCountsProgramsAndGoesAtZero) {
    AppendLog("b", "");
    const std::string semaphore = PathOf("Reports/report3.@S@");
    ASSERT_TRUE(table_.IndexOnOne("sentname0", "name"));
    ASSERT_TRUE(FileExists(semaphore));
    EXPECT_EQ(ReadFileBytes(semaphore), std::string("\x01\0\0\0", 4));
    TTzDbf other;
    other.SetDbfFileName(PathOf("Reports/report3.dbf"));
    other.Open();
    other.SetIndexTo(PathOf("Reports/name.MDX"));
    EXPECT_EQ(ReadFileBytes(semaphore)[0], 2);
    other.Close();
    EXPECT_EQ(ReadFileBytes(semaphore)[0], 1);
    table_.Close();
    EXPECT_FALSE(FileExists(semaphore));
}

TEST_F(IndexTest, ExclusiveTablesKeepNoSemaphore) {
    AppendLog("b", "");
    table_.SetExclusive(true);
    ASSERT_TRUE(table_.IndexOnOne("sentname0", "name"));
    EXPECT_FALSE(FileExists(PathOf("Reports/report3.@S@")));
}

TEST_F(IndexTest, DamagedIndexFilesAreErrors) {
    AppendLog("b", "");
    AppendLog("a", "");
    ASSERT_TRUE(table_.IndexOnOne("sentname0", "name"));
    const std::string good = ReadFileBytes(PathOf("Reports/name.MDX"));
    struct Damage {
        size_t at;
        std::string bytes;
        int number;
    };
    const Damage cases[] = {
        {0, "\x07", 223},                                // version
        {20, std::string("\x09\x00", 2), 222},           // block size
        {544, std::string("\xFF\x00\x00\x00", 4), 222},  // tag header page
        {2048, std::string("\x02\x00\x00\x00", 4), 222}, // root page inside the header
        {2048, std::string("\x06\x00\x00\x00", 4) + std::string(4, '\0') + "\x10N", 222},
        {2048 + 12, std::string("\x00\x00", 2), 222},                 // key length 0
        {3072, std::string("\xFF\x00\x00\x00", 4), 222},              // too many keys in the root
        {3072 + 8, std::string("\x00\x00\x00\x00", 4), 222},          // record 0 in a leaf
        {3072 + 8 + 2 * 36, std::string("\x06\x00\x00\x00", 4), 222}, // leaf points at itself
    };
    for (const auto& damage : cases) {
        std::string bad = good;
        bad.replace(damage.at, damage.bytes.size(), damage.bytes);
        WriteFileBytes(PathOf("Reports/bad.MDX"), bad);
        const EngineError error = ErrorOf([&] { table_.SetIndexTo(PathOf("Reports/bad.MDX")); });
        EXPECT_EQ(error.number, damage.number) << damage.at;
        EXPECT_FALSE(table_.HasIndex());
    }
    WriteFileBytes(PathOf("Reports/short.MDX"), good.substr(0, 2000));
    EXPECT_EQ(ErrorOf([&] { table_.SetIndexTo(PathOf("Reports/short.MDX")); }).number, 222);
    const EngineError missing = ErrorOf([&] { table_.SetIndexTo(PathOf("Reports/none.MDX")); });
    EXPECT_EQ(missing.number, 2);
    EXPECT_EQ(missing.detail, "SetIndexTo(" + PathOf("Reports/none.MDX") + ")");
    EXPECT_FALSE(FileExists(PathOf("Reports/report3.@S@")));
}

TEST_F(IndexTest, KeyMustBeAFieldOfTheTable) {
    EXPECT_EQ(ErrorOf([&] { table_.IndexOnOne("nosuch", "x"); }).number, 220);
    EXPECT_EQ(ErrorOf([&] { table_.IndexOnOne(std::string(101, 'a'), "x"); }).number, 220);
}

TEST_F(IndexTest, PackRebuildsAnOpenIndex) {
    for (const char* name : {"d", "c", "b", "a"}) {
        AppendLog(name, "");
    }
    ASSERT_TRUE(table_.IndexOnOne("sentname0", "name"));
    table_.SetExclusive(true);
    ASSERT_TRUE(table_.IndexOnOne("sentname0", "name"));
    table_.First(); // "a", record 4
    table_.DeleteRec();
    ASSERT_TRUE(table_.Pack());
    EXPECT_EQ(Order("sentname0"), "b;c;d;");
}

} // namespace
} // namespace vell3::tables::test
