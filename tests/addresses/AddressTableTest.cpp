#include "AddressTable.h"
#include "TTzDbf.h"
#include "TableTestSupport.h"

#include <gtest/gtest.h>

namespace vell3::addresses {
namespace {

using tables::test::TableTest;

struct ExpectedField {
    const char* name;
    char type;
    int length;
};

void ExpectFields(const tables::TTzDbf& table, const std::vector<ExpectedField>& expected) {
    ASSERT_EQ(table.Fields().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(table.Fields()[i].name, expected[i].name);
        EXPECT_EQ(table.Fields()[i].type, expected[i].type);
        EXPECT_EQ(table.Fields()[i].length, expected[i].length);
    }
}

class AddressTableTest : public TableTest {};

TEST_F(AddressTableTest, TheAddressTableCreatesAMissingDatabaseSharedWithTheModesWidths) {
    tables::TTzDbf table("TzDbfAddress");
    table.SetExclusive(true);
    table.SetHideDeletedRecs(true);
    ConfigureAddressTable(table);
    EXPECT_FALSE(table.Exclusive());
    EXPECT_FALSE(table.HideDeletedRecs());
    EXPECT_FALSE(table.ReadOnly());
    EXPECT_TRUE(table.CreateIfNotFound());
    EXPECT_EQ(table.TableLanguage(), tables::TableLanguage::tlOem);
    EXPECT_EQ(table.CreateIndex(), tables::CreateIndexMode::ciNotFound);

    table.SetDbfFileName(PathOf("people.dbf"));
    table.Open();
    ExpectFields(table,
                 {{"ADDRESS", 'M', 10}, {"CITY", 'C', 35}, {"STATE", 'C', 2}, {"ZIP", 'C', 10}});
    EXPECT_EQ(table.RecCount(), 0u);
    EXPECT_TRUE(warnings_.empty());
}

TEST_F(AddressTableTest, AnImportedDatabaseHasItsOwnWidths) {
    tables::TTzDbf table("Import");
    table.SetDbfFields(ImportedDatabaseFieldDefinitions());
    table.SetDbfFileName(PathOf("list.dbf"));
    table.Open();
    ExpectFields(table,
                 {{"ADDRESS", 'M', 10}, {"CITY", 'C', 20}, {"STATE", 'C', 4}, {"ZIP", 'C', 10}});
    EXPECT_TRUE(warnings_.empty());
}

} // namespace
} // namespace vell3::addresses
