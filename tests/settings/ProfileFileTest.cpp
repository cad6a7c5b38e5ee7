#include "ProfileFile.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace vell3 {
namespace {

TEST(ProfileFile, NamesMatchWithoutRegardToCase) {
    const auto file = ProfileFile::Parse("[type]\nbarcodeapp = 0 \n[Values]\nPostage=\n");
    EXPECT_EQ(file.Get("Type", "BarCodeApp"), "0");
    EXPECT_EQ(file.Get("VALUES", "postage"), "");
    EXPECT_EQ(file.Get("Values", "CertFee"), std::nullopt);
    EXPECT_EQ(file.Get("Printing", "ExtraLabel"), std::nullopt);
}

TEST(ProfileFile, FirstSectionAndFirstKeyWin) {
    const auto file = ProfileFile::Parse("[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n");
    EXPECT_EQ(file.Get("a", "K"), "1");
    EXPECT_EQ(file.Get("A", "j"), std::nullopt);
}

TEST(ProfileFile, CommentsAndForeignLinesAreKeptOnWrite) {
    auto file = ProfileFile::Parse("; my notes\r\n[Values]\r\npostage=1.00\r\nother line\r\n\r\n"
                                   "[Foreign]\r\nx=y\r\n");
    file.Set("VALUES", "Postage", "0.55");
    file.Set("Values", "CertFee", "2.40");
    file.Set("Printing", "ExtraLabel", "Addressed To");
    EXPECT_EQ(file.Serialize(), "; my notes\r\n[Values]\r\npostage=0.55\r\nother line\r\n"
                                "CertFee=2.40\r\n\r\n[Foreign]\r\nx=y\r\n\r\n[Printing]\r\n"
                                "ExtraLabel=Addressed To\r\n");
}

TEST(ProfileFile, LineBreaksInAValueCannotSplitTheFile) {
    ProfileFile file;
    file.Set("YourAddress", "Line1", "Acme\r\n[Values]\nPostage=9");
    EXPECT_EQ(file.Get("Values", "Postage"), std::nullopt);
    EXPECT_EQ(file.Get("YourAddress", "Line1"), "Acme  [Values] Postage=9");
}

TEST(ProfileFile, AtomicWriteReplacesTheFileWhole) {
    test::TempFolder folder;
    const std::string path = folder.File("sub/vell3.ini");
    ProfileFile file;
    file.Set("Type", "Company", "Ambervale");
    ASSERT_TRUE(file.WriteAtomically(path));
    EXPECT_EQ(test::ReadFile(path), "[Type]\nCompany=Ambervale\n");
    EXPECT_EQ(ProfileFile::Read(path).Get("type", "company"), "Ambervale");
    // No temporary file is left beside it.
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(folder.File("sub"))) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

} // namespace
} // namespace vell3
