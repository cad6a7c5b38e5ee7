// Report > Clear's table work: the save into a new or an existing table, the
// refusals that leave the log whole, and the emptying.

#include "ClearLog.h"
#include "LogTable.h"
#include "TableTestSupport.h"
#include "Text.h"
#include "UserError.h"

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

namespace vell3::log {
namespace {

using tables::TTzDbf;
using Kind = ClearLogChoice::Kind;

class ClearLogTest : public tables::test::TableTest {
protected:
    std::string LogPath() const { return PathOf("Reports/report3.dbf"); }

    void AddRows(const std::string& path, const std::vector<std::string>& names) {
        for (const auto& name : names) {
            LogRecord record;
            record.sentname[0] = name;
            record.mailernum = "7112 3456 7890 0000 0423";
            record.rdate = {2026, 1, 2};
            ASSERT_TRUE(AppendLogRecord(path, record));
        }
    }

    std::vector<std::string> Names(const std::string& path) {
        TTzDbf table;
        table.SetCreateIfNotFound(false);
        table.SetDbfFileName(path);
        table.Open();
        std::vector<std::string> names;
        for (table.First(); !table.Eof(); table.Next()) {
            names.push_back(Trim(table.GetField("sentname0")) +
                            (table.Deleted() ? std::string(" (deleted)") : std::string()));
        }
        table.Close();
        return names;
    }

    ClearLogResult Clear(Kind kind, const std::string& target = {}) {
        return ClearLog(LogPath(), [&] { return ClearLogChoice{kind, target}; });
    }

    std::string ClearError(const std::string& target) {
        try {
            Clear(Kind::Save, target);
        } catch (const UserError& error) {
            return error.what();
        }
        return {};
    }
};

TEST_F(ClearLogTest, TheProposedNameIsTheDayWithoutSlashes) {
    const std::string previous = tables::ShortDateFormat();
    tables::SetShortDateFormat("M/d/yyyy");
    EXPECT_EQ(ProposedSaveFileName({2026, 12, 3}), "1232026.dbf");
    tables::SetShortDateFormat("dd.MM.yyyy");
    EXPECT_EQ(ProposedSaveFileName({2026, 12, 3}), "03.12.2026.dbf");
    tables::SetShortDateFormat(previous);
}

TEST_F(ClearLogTest, AnEmptyLogAsksNothing) {
    OpenLogForPrinting(LogPath());
    bool asked = false;
    EXPECT_EQ(ClearLog(LogPath(),
                       [&] {
                           asked = true;
                           return ClearLogChoice{Kind::Discard, {}};
                       }),
              ClearLogResult::AlreadyEmpty);
    EXPECT_FALSE(asked);
}

TEST_F(ClearLogTest, CancelChangesNothing) {
    AddRows(LogPath(), {"A", "B"});
    const std::string before = tables::test::ReadFileBytes(LogPath());
    EXPECT_EQ(Clear(Kind::Cancel), ClearLogResult::Cancelled);
    EXPECT_EQ(tables::test::ReadFileBytes(LogPath()), before);
}

TEST_F(ClearLogTest, DiscardEmptiesTheLog) {
    AddRows(LogPath(), {"A", "B", "C"});
    EXPECT_EQ(Clear(Kind::Discard), ClearLogResult::Cleared);
    EXPECT_TRUE(Names(LogPath()).empty());
    EXPECT_TRUE(errors_.empty());
}

TEST_F(ClearLogTest, ACancelledSaveDialogStillClears) {
    AddRows(LogPath(), {"A"});
    EXPECT_EQ(Clear(Kind::Save, ""), ClearLogResult::Cleared);
    EXPECT_TRUE(Names(LogPath()).empty());
}

TEST_F(ClearLogTest, ANewFileIsAnExactCopyOfTheLog) {
    AddRows(LogPath(), {"A", "B"});
    const std::string before = tables::test::ReadFileBytes(LogPath());
    EXPECT_EQ(Clear(Kind::Save, PathOf("saved.dbf")), ClearLogResult::Cleared);
    EXPECT_EQ(tables::test::ReadFileBytes(PathOf("saved.dbf")), before);
    EXPECT_TRUE(Names(LogPath()).empty());
    // Nothing else is left beside the copy.
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
        files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"Reports", "saved.dbf"}));
}

TEST_F(ClearLogTest, AnExistingTableGetsTheRowsAfterItsOwn) {
    AddRows(PathOf("earlier.dbf"), {"old 1", "old 2"});
    AddRows(LogPath(), {"A", "B"});
    EXPECT_EQ(Clear(Kind::Save, PathOf("earlier.dbf")), ClearLogResult::Cleared);
    EXPECT_EQ(Names(PathOf("earlier.dbf")), (std::vector<std::string>{"old 1", "old 2", "A", "B"}));
    EXPECT_TRUE(Names(LogPath()).empty());
}

// Another program with the log open: the clearing cannot have the log to
// itself, so it stops before saving anything (no row could come in between
// the save and the emptying).
TEST_F(ClearLogTest, ALogOpenElsewhereIsNeitherSavedNorEmptied) {
    AddRows(LogPath(), {"A", "B"});
    TTzDbf other("Elsewhere");
    ConfigureLogTable(other, LogPath());
    other.Open();
    const auto error = tables::test::ErrorOf([&] { Clear(Kind::Save, PathOf("saved.dbf")); });
    EXPECT_EQ(error.number, 32);
    EXPECT_FALSE(std::filesystem::exists(PathOf("saved.dbf")));
    other.Close();
    EXPECT_EQ(Names(LogPath()), (std::vector<std::string>{"A", "B"}));
}

// The log as its own target would be appended to itself: refused with a
// message of its own, not an engine halt, and the log stays as it was.
TEST_F(ClearLogTest, TheLogItselfAsTargetIsRefused) {
    AddRows(LogPath(), {"A", "B"});
    const std::string before = tables::test::ReadFileBytes(LogPath());
    for (const std::string& target : {LogPath(), PathOf("Reports/../Reports/report3.dbf")}) {
        EXPECT_EQ(ClearError(target), LogSavedIntoItselfMessage(target));
    }
    EXPECT_EQ(tables::test::ReadFileBytes(LogPath()), before);
    EXPECT_TRUE(errors_.empty());
}

// A save that fails leaves the log whole and no half-written copy behind.
struct FailedSave {
    const char* name;
    std::function<std::string(const std::string& dir)> target;
    long long fileSizeLimit; // -1: none
};

class FailedSaveTest : public ClearLogTest, public ::testing::WithParamInterface<FailedSave> {
protected:
    void TearDown() override {
        tables::test::LimitFileSize(-1);
        ClearLogTest::TearDown();
    }
};

TEST_P(FailedSaveTest, LeavesTheLogWhole) {
    AddRows(LogPath(), {"A", "B", "C"});
    const std::string before = tables::test::ReadFileBytes(LogPath());
    const std::string target = GetParam().target(dir_);
    const auto targetBefore = tables::test::ReadFileBytes(target);
    tables::test::LimitFileSize(GetParam().fileSizeLimit);
    const std::string message = ClearError(target);
    tables::test::LimitFileSize(-1);
    EXPECT_TRUE(message.starts_with("The report could not be saved to \"" + target + "\": "))
        << message;
    EXPECT_TRUE(message.ends_with("\r\rThe report has not been cleared.")) << message;
    EXPECT_EQ(tables::test::ReadFileBytes(LogPath()), before);
    EXPECT_EQ(Names(LogPath()), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(errors_.empty());
    if (targetBefore.empty()) {
        EXPECT_FALSE(std::filesystem::exists(target));
        for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
            EXPECT_FALSE(entry.path().filename().string().starts_with("saved.dbf."))
                << entry.path();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, FailedSaveTest,
    ::testing::Values(FailedSave{"FolderUnderAFile",
                                 [](const std::string& dir) {
                                     tables::test::WriteFileBytes(dir + "/plain", "a file");
                                     return dir + "/plain/saved.dbf";
                                 },
                                 -1},
                      FailedSave{"FullDiskOnCopy",
                                 [](const std::string& dir) { return dir + "/saved.dbf"; }, 600},
                      FailedSave{"NotATableToAppendTo",
                                 [](const std::string& dir) {
                                     tables::test::WriteFileBytes(dir + "/saved.dbf",
                                                                  "not a table\n");
                                     return dir + "/saved.dbf";
                                 },
                                 -1}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vell3::log
