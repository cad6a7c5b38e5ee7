// vell3-cli import and export: name-and-address text files and address
// databases, headless.

#include "CliRunner.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vell3::test {
namespace {

const std::string kTwoLines = "\"Ann Lee\",\"12 Elm St\",\"\",\"\",\"Dayton\",\"OH\",\"45402\"\r\n"
                              "Zoë \"Z\" Ng,,,,Köln,NW,50667\r\n";
const std::string kAnn = "{\"deleted\":false,\"ADDRESS\":[\"Ann Lee\",\"12 Elm St\"],"
                         "\"CITY\":\"Dayton\",\"STATE\":\"OH\",\"ZIP\":\"45402\"}\n";
const std::string kZoe = "{\"deleted\":false,\"ADDRESS\":[\"Zoë \\\"Z\\\" Ng\"],"
                         "\"CITY\":\"Köln\",\"STATE\":\"NW\",\"ZIP\":\"50667\"}\n";

class TextFileCommand : public ::testing::Test {
protected:
    TempFolder config_;
    TempFolder files_;

    CliResult Run(const std::vector<std::string>& args) { return RunCli(args, config_.Path()); }
    std::string Dump(const std::string& table) {
        const CliResult result = Run({"dbf", "dump", table});
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    }
};

TEST_F(TextFileCommand, ImportCreatesTheDatabaseAndPrintsTheRecordsAppended) {
    WriteFile(files_.File("list.csv"), kTwoLines);
    const CliResult result = Run({"import", files_.File("list.csv"), files_.File("list.dbf")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "2\n");
    EXPECT_EQ(Dump(files_.File("list.dbf")), kAnn + kZoe);
}

TEST_F(TextFileCommand, AnExistingDatabaseNeedsOverwriteOrAppend) {
    WriteFile(files_.File("one.csv"), "Ann Lee,12 Elm St,,,Dayton,OH,45402\n");
    WriteFile(files_.File("list.csv"), kTwoLines);
    ASSERT_EQ(Run({"import", files_.File("one.csv"), files_.File("list.dbf")}).status, 0);
    const std::string before = ReadFile(files_.File("list.dbf"));

    CliResult result = Run({"import", files_.File("list.csv"), files_.File("list.dbf")});
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.out.empty());
    EXPECT_NE(result.err.find("--overwrite"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("--append"), std::string::npos) << result.err;
    EXPECT_EQ(ReadFile(files_.File("list.dbf")), before);

    result = Run({"import", files_.File("list.csv"), files_.File("list.dbf"), "--append"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "2\n");
    EXPECT_EQ(Dump(files_.File("list.dbf")), kAnn + kAnn + kZoe);

    result = Run({"import", "--overwrite", files_.File("one.csv"), files_.File("list.dbf")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "1\n");
    EXPECT_EQ(Dump(files_.File("list.dbf")), kAnn);
}

TEST_F(TextFileCommand, ImportErrors) {
    WriteFile(files_.File("list.csv"), kTwoLines);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"import", files_.File("list.csv")},
          std::vector<std::string>{"import", files_.File("list.csv"), files_.File("a.dbf"),
                                   "--overwrite", "--append"},
          std::vector<std::string>{"import", files_.File("list.csv"), files_.File("a.dbf"),
                                   "--replace"}}) {
        const CliResult result = Run(args);
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find("usage: vell3-cli import"), std::string::npos) << result.err;
    }
    const CliResult result = Run({"import", files_.File("gone.csv"), files_.File("a.dbf")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Cannot read the file \"" + files_.File("gone.csv") +
                              "\": No such file or directory\n");
    EXPECT_FALSE(std::filesystem::exists(files_.File("a.dbf")));
}

TEST_F(TextFileCommand, ExportWritesTheTextFileAndPrintsTheRecordsWritten) {
    WriteFile(files_.File("list.csv"), kTwoLines);
    ASSERT_EQ(Run({"import", files_.File("list.csv"), files_.File("list.dbf")}).status, 0);
    const CliResult result = Run({"export", files_.File("list.dbf"), files_.File("back.txt")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "2\n");
    EXPECT_EQ(ReadFile(files_.File("back.txt")),
              "\"Ann Lee\",\"12 Elm St\",\"\",\"\",\"Dayton\",\"OH\",\"45402\"\r\n"
              "\"Zoë \"\"Z\"\" Ng\",\"\",\"\",\"\",\"Köln\",\"NW\",\"50667\"\r\n");
}

TEST_F(TextFileCommand, ExportOfAMissingDatabaseCreatesNothing) {
    const CliResult result = Run({"export", files_.File("gone.dbf"), files_.File("gone.txt")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "The database \"" + files_.File("gone.dbf") + "\" does not exist.\n");
    EXPECT_TRUE(std::filesystem::is_empty(files_.Path()));
    EXPECT_EQ(Run({"export", files_.File("gone.dbf")}).status, 2);
}

} // namespace
} // namespace vell3::test
