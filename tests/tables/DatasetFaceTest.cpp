// The dataset face the data-aware address fields work through.

#include "DatasetError.h"
#include "TTzDbf.h"
#include "TableTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vell3::tables::test {
namespace {

class DatasetFaceTest : public TableTest {
protected:
    void SetUp() override {
        TableTest::SetUp();
        table_.SetDbfFields({"address,M,10,0", "city,C,35,0", "state,C,2,0", "zip,C,10,0",
                             "since,D,8,0", "amount,N,7,2", "vip,L,1,0"});
        table_.SetDbfFileName(PathOf("addr.dbf"));
        table_.Open();
    }

    void InsertCity(const std::string& city) {
        table_.Insert();
        table_.SetFieldAsString("city", city);
        table_.Post();
    }

    TTzDbf table_{"TzDbfAddress"};
};

TEST_F(DatasetFaceTest, InsertPostAndBrowse) {
    EXPECT_EQ(table_.State(), DatasetState::Browse);
    table_.Insert();
    EXPECT_EQ(table_.State(), DatasetState::Insert);
    table_.SetFieldAsMemoText("address", "Jane Roe\r\n12 Elm St.\r\n");
    table_.SetFieldAsString("city", "Zürich");
    table_.SetFieldAsString("state", "ZH and more");
    table_.SetFieldAsDate("since", DbfDate{2020, 2, 29});
    table_.SetFieldAsNumber("amount", 12.345);
    table_.SetFieldAsBoolean("vip", true);
    table_.Post();
    EXPECT_EQ(table_.State(), DatasetState::Browse);
    EXPECT_EQ(table_.RecCount(), 1u);
    table_.Close();
    table_.Open();
    EXPECT_EQ(table_.FieldAsMemoText("address"), "Jane Roe\r\n12 Elm St.\r\n");
    EXPECT_EQ(table_.FieldAsString("city"), "Zürich");
    EXPECT_EQ(table_.FieldAsString("state"), "ZH");
    EXPECT_EQ(table_.FieldAsDate("since"), (DbfDate{2020, 2, 29}));
    EXPECT_EQ(table_.FieldAsNumber("amount"), 12.35);
    EXPECT_EQ(table_.RawFieldBytes("amount"), "  12.35");
    EXPECT_TRUE(table_.FieldAsBoolean("vip"));
    EXPECT_EQ(table_.FieldAsString("zip"), "");
}

TEST_F(DatasetFaceTest, EditPostAndCancel) {
    InsertCity("Boston");
    InsertCity("Denver");
    table_.First();
    table_.Edit();
    table_.SetFieldAsString("city", "Austin");
    table_.Cancel();
    EXPECT_EQ(table_.FieldAsString("city"), "Boston");
    table_.Edit();
    table_.SetFieldAsString("city", "Austin");
    table_.Post();
    table_.Last();
    table_.First();
    EXPECT_EQ(table_.FieldAsString("city"), "Austin");
    EXPECT_EQ(table_.RecCount(), 2u);
    EXPECT_EQ(table_.Locks(), LockState::None);
}

TEST_F(DatasetFaceTest, WritingOutsideEditStateIsRefused) {
    InsertCity("Boston");
    try {
        table_.SetFieldAsString("city", "x");
        FAIL();
    } catch (const DatasetError& e) {
        EXPECT_STREQ(e.what(), "Dataset not in edit or insert mode");
    }
}

TEST_F(DatasetFaceTest, DeleteTogglesBetweenDeleteAndRestore) {
    InsertCity("Boston");
    table_.First();
    table_.Delete();
    EXPECT_TRUE(table_.Deleted());
    table_.Refresh();
    EXPECT_TRUE(table_.Deleted());
    table_.Delete();
    EXPECT_FALSE(table_.Deleted());
    table_.Refresh();
    EXPECT_FALSE(table_.Deleted());
    EXPECT_TRUE(warnings_.empty());
}

TEST_F(DatasetFaceTest, MemoEditedInPlaceWhenItFits) {
    table_.Insert();
    table_.SetFieldAsMemoText("address", std::string(600, 'a'));
    table_.Post();
    const std::string block = table_.RawFieldBytes("address");
    table_.Edit();
    table_.SetFieldAsMemoText("address", "short");
    table_.Post();
    EXPECT_EQ(table_.RawFieldBytes("address"), block);
    EXPECT_EQ(table_.FieldAsMemoText("address"), "short");
}

// An edit whose new memo does not fit moves it; the record on disk still
// points at the old memo until the post, so the old one must stay intact
// when the edit is cancelled or its post refused, and no later memo may be
// stored over it.
TEST_F(DatasetFaceTest, UnpostedMemoEditLeavesTheStoredMemoIntact) {
    struct Case {
        const char* name;
        bool refusePost;
    };
    const Case cases[] = {{"cancel", false}, {"post refused", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        table_.Close();
        std::filesystem::remove(PathOf("addr.dbf"));
        std::filesystem::remove(PathOf("addr.dbt"));
        table_.Open();
        table_.Insert();
        table_.SetFieldAsMemoText("address", "Jane Roe\r\n");
        table_.Post();
        table_.Edit();
        table_.SetFieldAsMemoText("address", std::string(900, 'n'));
        if (c.refusePost) {
            // Holding the append lock, the table cannot take the record lock.
            ASSERT_TRUE(table_.ALock());
            table_.Post();
            EXPECT_EQ(table_.State(), DatasetState::Edit);
            table_.UnLock();
        }
        table_.Cancel();
        // Another record's memo stored afterwards must not land on the old one.
        table_.Insert();
        table_.SetFieldAsMemoText("address", "Intruder\r\n");
        table_.Post();
        table_.First();
        EXPECT_EQ(table_.FieldAsMemoText("address"), "Jane Roe\r\n");
        table_.Last();
        EXPECT_EQ(table_.FieldAsMemoText("address"), "Intruder\r\n");
    }
}

TEST_F(DatasetFaceTest, RefreshSeesAnotherProgramsChange) {
    InsertCity("Boston");
    TTzDbf other;
    other.SetDbfFileName(PathOf("addr.dbf"));
    other.Open();
    other.Edit();
    other.SetFieldAsString("city", "Chicago");
    other.Post();
    EXPECT_EQ(table_.FieldAsString("city"), "Boston");
    table_.Refresh();
    EXPECT_EQ(table_.FieldAsString("city"), "Chicago");
}

TEST_F(DatasetFaceTest, EditOnAnEmptyTableInserts) {
    table_.Edit();
    EXPECT_EQ(table_.State(), DatasetState::Insert);
    table_.Cancel();
    EXPECT_EQ(table_.State(), DatasetState::Browse);
    EXPECT_TRUE(table_.Eof());
}

} // namespace
} // namespace vell3::tables::test
