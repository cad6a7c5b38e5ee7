// Several programs on one table: locks, share modes and record counts.

#include "DbfLayout.h"
#include "LockRetry.h"
#include "TTzDbf.h"
#include "TableTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace vell3::tables::test {
namespace {

// "<prefix><n><suffix>", appended piece by piece: GCC 12 at -O3 takes
// "literal" + std::string&& for an overlapping copy (-Wrestrict).
std::string Numbered(const char* prefix, int n, const char* suffix = "") {
    std::string text(prefix);
    text.append(std::to_string(n)).append(suffix);
    return text;
}

const std::vector<std::string> kFields = {"who,C,8,0", "seq,N,6,0", "notes,M,10,0"};

class SharedUseTest : public TableTest {
protected:
    void SetUp() override {
        TableTest::SetUp();
        path_ = PathOf("shared.dbf");
        TTzDbf creator;
        creator.SetDbfFields(kFields);
        creator.SetDbfFileName(path_);
        creator.Open();
    }

    void OpenShared(TTzDbf& table) {
        table.SetCreateIfNotFound(false);
        table.SetDbfFileName(path_);
        table.Open();
    }

    static void Append(TTzDbf& table, const std::string& who, int seq) {
        table.ClearRecord();
        table.SetField("who", who);
        table.SetField("seq", std::to_string(seq));
        table.SetMField("notes", {who + " note " + std::to_string(seq)});
        table.AppendRec();
    }

    // A pipe the parent waits on until the child has done its part.
    struct Signal {
        int fds[2] = {-1, -1};
        Signal() { EXPECT_EQ(pipe(fds), 0); }
        ~Signal() {
            close(fds[0]);
            close(fds[1]);
        }
        void Send() const {
            const char c = 1;
            EXPECT_EQ(write(fds[1], &c, 1), 1);
        }
        void Wait() const {
            char c = 0;
            EXPECT_EQ(read(fds[0], &c, 1), 1);
        }
    };

    std::string path_;
};

TEST_F(SharedUseTest, HeldAppendLockRefusesALockElsewhereAtOnce) {
    TTzDbf holder;
    OpenShared(holder);
    ASSERT_TRUE(holder.ALock());
    const int status = RunInChild([&] {
        TTzDbf other;
        OpenShared(other);
        const auto start = std::chrono::steady_clock::now();
        const bool granted = other.ALock();
        const auto spent = std::chrono::steady_clock::now() - start;
        if (granted) {
            return 1;
        }
        return spent < std::chrono::milliseconds(500) ? 0 : 2;
    });
    EXPECT_EQ(status, 0);
    holder.UnLock();
    EXPECT_EQ(RunInChild([&] {
                  TTzDbf other;
                  OpenShared(other);
                  return other.ALock() ? 0 : 1;
              }),
              0);
}

TEST_F(SharedUseTest, ExclusiveOpenFailsWithError32WhileSharedElsewhere) {
    TTzDbf holder;
    OpenShared(holder);
    const int status = RunInChild([&] {
        TTzDbf other;
        OpenShared(other);
        const EngineError error = ErrorOf([&] { other.SetExclusive(true); });
        if (error.number != 32 ||
            error.FullText() != "Error # 32 (File sharing violation)\r\nFailure to open " + path_ +
                                    " [USE/OpenDbf]") {
            return 1;
        }
        return other.Active() ? 2 : 0;
    });
    EXPECT_EQ(status, 0);
}

TEST_F(SharedUseTest, SharedOpenFailsWhileExclusiveElsewhere) {
    TTzDbf holder;
    holder.SetExclusive(true);
    OpenShared(holder);
    EXPECT_EQ(RunInChild([&] {
                  TTzDbf other;
                  return ErrorOf([&] { OpenShared(other); }).number == 32 ? 0 : 1;
              }),
              0);
    holder.Close();
    EXPECT_EQ(RunInChild([&] {
                  TTzDbf other;
                  return ErrorOf([&] { OpenShared(other); }).number;
              }),
              0);
}

TEST_F(SharedUseTest, PackWhileOpenElsewhereIsAbandonedAndTheTableStaysOpen) {
    TTzDbf table;
    OpenShared(table);
    ASSERT_TRUE(table.ALock());
    Append(table, "a", 1);
    table.UnLock();
    TTzDbf other;
    OpenShared(other);
    const EngineError error = ErrorOf([&] { table.Pack(); });
    EXPECT_EQ(error.number, 32);
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(table.Active());
    EXPECT_EQ(table.RecCount(), 1u);
    ASSERT_TRUE(table.ALock());
    Append(table, "b", 2);
    EXPECT_EQ(other.RecCount(), 2u);
    other.Close();
    table.UnLock();
    EXPECT_TRUE(table.Pack());
    EXPECT_EQ(table.RecCount(), 2u);
}

TEST_F(SharedUseTest, RecordsAppendedElsewhereAreCounted) {
    TTzDbf reader;
    OpenShared(reader);
    EXPECT_EQ(reader.RecCount(), 0u);
    const int status = RunInChild([&] {
        TTzDbf writer;
        OpenShared(writer);
        if (!writer.ALock()) {
            return 1;
        }
        Append(writer, "child", 1);
        Append(writer, "child", 2);
        writer.UnLock();
        return 0;
    });
    ASSERT_EQ(status, 0);
    EXPECT_EQ(reader.RecCount(), 2u);
    reader.Last();
    EXPECT_EQ(reader.FieldAsString("who"), "child");
    std::vector<std::string> lines;
    reader.GetMField("notes", lines);
    EXPECT_EQ(lines, std::vector<std::string>{"child note 2"});
}

// The count is taken when the append lock is: records another program
// appended since this table last looked are not written over.
TEST_F(SharedUseTest, AnAppendAfterTakingTheLockGoesAfterRecordsAppendedElsewhere) {
    TTzDbf first;
    OpenShared(first);
    first.ClearRecord();
    const int status = RunInChild([&] {
        TTzDbf writer;
        OpenShared(writer);
        if (!writer.ALock()) {
            return 1;
        }
        Append(writer, "child", 1);
        writer.UnLock();
        return 0;
    });
    ASSERT_EQ(status, 0);
    ASSERT_TRUE(first.ALock());
    Append(first, "first", 2);
    Append(first, "first", 3);
    first.UnLock();
    EXPECT_EQ(first.RecCount(), 3u);
    std::vector<std::string> who;
    for (first.First(); !first.Eof(); first.Next()) {
        who.push_back(first.FieldAsString("who"));
    }
    EXPECT_EQ(who, (std::vector<std::string>{"child", "first", "first"}));
}

// The program that appended first and closes last must not write its stale
// count and end-of-file byte over the records appended meanwhile.
TEST_F(SharedUseTest, ClosingAfterAnotherProgramAppendedKeepsItsRecords) {
    TTzDbf first;
    OpenShared(first);
    ASSERT_TRUE(first.ALock());
    Append(first, "first", 1);
    first.UnLock();
    Signal appended;
    Signal closed;
    const pid_t pid = fork();
    if (pid == 0) {
        int status = 0;
        {
            TTzDbf second;
            OpenShared(second);
            status = second.ALock() ? 0 : 1;
            Append(second, "second", 1);
            Append(second, "second", 2);
            second.UnLock();
            appended.Send();
            closed.Wait(); // stays open until the first program has closed
        }
        _exit(status);
    }
    appended.Wait();
    first.Close();
    {
        const std::string bytes = ReadFileBytes(path_);
        const uint16_t header = Le16At(bytes, 8);
        const uint16_t length = Le16At(bytes, 10);
        EXPECT_EQ(Le32At(bytes, 4), 3u);
        ASSERT_EQ(bytes.size(), header + 3u * length + 1);
        EXPECT_EQ(bytes[header + length], ' '); // the second program's first record
        EXPECT_EQ(bytes.back(), 0x1A);
    }
    closed.Send();
    int status = -1;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::string bytes = ReadFileBytes(path_);
    EXPECT_EQ(Le32At(bytes, 4), 3u);
    EXPECT_EQ(bytes.back(), 0x1A);
}

// A program that appended in shared use and ended without closing leaves a
// header count below the records in the file. Opened exclusively later, the
// table must neither hide nor overwrite those records.
TEST_F(SharedUseTest, ExclusiveOpenAfterAnUnclosedSharedAppendKeepsItsRecords) {
    const int status = RunInChild([&] {
        TTzDbf writer;
        OpenShared(writer);
        if (!writer.ALock()) {
            return 1;
        }
        Append(writer, "lost", 1);
        Append(writer, "lost", 2);
        _exit(0); // ends without closing the table
    });
    ASSERT_EQ(status, 0);
    ASSERT_EQ(Le32At(ReadFileBytes(path_), 4), 0u);
    {
        TTzDbf table;
        table.SetExclusive(true);
        OpenShared(table);
        EXPECT_EQ(table.RecCount(), 2u);
        ASSERT_TRUE(table.ALock());
        Append(table, "excl", 3);
        table.UnLock();
    }
    const std::string bytes = ReadFileBytes(path_);
    EXPECT_EQ(Le32At(bytes, 4), 3u);
    EXPECT_EQ(bytes.size(), Le16At(bytes, 8) + 3u * Le16At(bytes, 10) + 1);
    TTzDbf reader;
    OpenShared(reader);
    const char* expected[] = {"lost", "lost", "excl"};
    int n = 0;
    for (reader.First(); !reader.Eof(); reader.Next(), ++n) {
        ASSERT_LT(n, 3);
        EXPECT_FALSE(reader.Deleted());
        EXPECT_EQ(reader.FieldAsString("who"), expected[n]);
        EXPECT_EQ(reader.FieldAsNumber("seq"), n + 1);
    }
    EXPECT_EQ(n, 3);
}

TEST_F(SharedUseTest, ConcurrentAppendsFromSeveralProgramsAreAllKept) {
    constexpr int kPrograms = 4;
    constexpr int kEach = 40;
    std::vector<pid_t> children;
    for (int p = 0; p < kPrograms; ++p) {
        const pid_t pid = fork();
        if (pid == 0) {
            int status = 0;
            try {
                TTzDbf table;
                OpenShared(table);
                for (int i = 0; i < kEach; ++i) {
                    while (!table.ALock()) {
                        std::this_thread::sleep_for(std::chrono::microseconds(200));
                    }
                    Append(table, Numbered("p", p), i);
                    table.UnLock();
                }
                table.Close();
            } catch (...) {
                status = 1;
            }
            _exit(status);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = -1;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string bytes = ReadFileBytes(path_);
    const uint16_t header = Le16At(bytes, 8);
    const uint16_t length = Le16At(bytes, 10);
    EXPECT_EQ(Le32At(bytes, 4), static_cast<uint32_t>(kPrograms * kEach));
    EXPECT_EQ(bytes.size(), header + static_cast<size_t>(kPrograms * kEach) * length + 1);
    TTzDbf check;
    check.SetExclusive(true);
    OpenShared(check);
    std::vector<int> seen(kPrograms, 0);
    std::vector<std::string> lines;
    for (check.First(); !check.Eof(); check.Next()) {
        EXPECT_FALSE(check.Deleted());
        const std::string who = check.FieldAsString("who");
        const int p = who[1] - '0';
        ASSERT_TRUE(p >= 0 && p < kPrograms) << who;
        EXPECT_EQ(check.FieldAsNumber("seq"), seen[static_cast<size_t>(p)]);
        check.GetMField("notes", lines);
        EXPECT_EQ(lines, std::vector<std::string>{who + " note " +
                                                  std::to_string(seen[static_cast<size_t>(p)])});
        ++seen[static_cast<size_t>(p)];
    }
    EXPECT_EQ(seen, std::vector<int>(kPrograms, kEach));
}

// A write the file system refuses (here: beyond the process's file size
// limit, as on a full disk) is an error; the count does not grow and the
// table stays usable.
TEST_F(SharedUseTest, FailedAppendLeavesTheCountAndTheTableUsable) {
    const int status = RunInChild([&] {
        TTzDbf table;
        OpenShared(table);
        if (!table.ALock()) {
            return 1;
        }
        table.ClearRecord();
        table.SetField("who", "ok");
        table.AppendRec();
        LimitFileSize(static_cast<long long>(std::filesystem::file_size(path_)));
        table.ClearRecord();
        table.SetField("who", "refused");
        const EngineError error = ErrorOf([&] { table.AppendRec(); });
        if (error.FullText() != "Error # 101 (Disk write error (probable cause: Disk Full).)\r\n"
                                "File:  " +
                                    path_ + " [Replace/Append/PutDbfRecord]") {
            return 2;
        }
        if (table.RecCount() != 1 || !table.Active()) {
            return 3;
        }
        const EngineError memo = ErrorOf([&] { table.SetMField("notes", {"x"}); });
        if (memo.number != 1004) {
            return 4;
        }
        LimitFileSize(-1);
        table.ClearRecord();
        table.SetField("who", "later");
        table.AppendRec();
        return table.RecCount() == 2 ? 0 : 5;
    });
    EXPECT_EQ(status, 0);
    TTzDbf check;
    OpenShared(check);
    EXPECT_EQ(check.RecCount(), 2u);
    check.Last();
    EXPECT_EQ(check.FieldAsString("who"), "later");
}

// An insert whose post fails must not keep the append lock it took for the
// post: other programs could never append again while this one runs.
TEST_F(SharedUseTest, FailedInsertPostReleasesTheAppendLock) {
    const int status = RunInChild([&] {
        TTzDbf table;
        OpenShared(table);
        LimitFileSize(static_cast<long long>(std::filesystem::file_size(path_)));
        table.Insert();
        table.SetFieldAsString("who", "refused");
        if (ErrorOf([&] { table.Post(); }).number != 101) {
            return 1;
        }
        if (table.Locks() != LockState::None) {
            return 2;
        }
        TTzDbf other;
        OpenShared(other);
        return other.ALock() ? 0 : 3;
    });
    EXPECT_EQ(status, 0);
}

// A post or delete whose write fails must not keep the record lock taken
// for it: the table could take no append lock afterwards, and other programs
// no lock on that record.
TEST_F(SharedUseTest, FailedRecordWritesReleaseTheRecordLock) {
    {
        TTzDbf table;
        OpenShared(table);
        ASSERT_TRUE(table.ALock());
        Append(table, "x", 1);
    }
    const int status = RunInChild([&] {
        TTzDbf table;
        OpenShared(table);
        LimitFileSize(table.HeaderLength()); // before record 1
        table.Edit();
        table.SetFieldAsString("who", "changed");
        if (ErrorOf([&] { table.Post(); }).number == 0 || table.Locks() != LockState::None) {
            return 1;
        }
        table.Cancel();
        if (ErrorOf([&] { table.Delete(); }).number == 0 || table.Locks() != LockState::None) {
            return 2;
        }
        return table.ALock() ? 0 : 3;
    });
    EXPECT_EQ(status, 0);
}

TEST_F(SharedUseTest, DatasetPostAndInsertWarnWhenTheLockIsRefused) {
    TTzDbf table;
    OpenShared(table);
    ASSERT_TRUE(table.ALock());
    Append(table, "x", 1);
    table.UnLock();

    TTzDbf other;
    OpenShared(other);
    ASSERT_TRUE(other.ALock());
    table.Insert();
    table.SetFieldAsString("who", "new");
    table.Post();
    EXPECT_EQ(warnings_, std::vector<std::string>{"Lock failed [Insert]"});
    EXPECT_EQ(table.State(), DatasetState::Insert);
    EXPECT_EQ(table.RecCount(), 1u);
    other.UnLock();
    table.Post();
    EXPECT_EQ(table.RecCount(), 2u);
    EXPECT_EQ(table.State(), DatasetState::Browse);
    EXPECT_EQ(table.Locks(), LockState::None);

    // Holding the append lock itself, the table cannot take a record lock;
    // the edit stays pending until the post succeeds.
    warnings_.clear();
    ASSERT_TRUE(table.ALock());
    table.Edit();
    table.SetFieldAsString("who", "changed");
    table.Post();
    EXPECT_EQ(table.State(), DatasetState::Edit);
    table.UnLock();
    table.Post();
    table.Refresh();
    EXPECT_EQ(table.FieldAsString("who"), "changed");
    ASSERT_TRUE(table.ALock());
    table.Delete();
    EXPECT_FALSE(table.Deleted());
    table.UnLock();
    table.Delete();
    ASSERT_TRUE(table.Deleted());
    ASSERT_TRUE(table.ALock());
    table.Delete();
    EXPECT_TRUE(table.Deleted());
    EXPECT_EQ(warnings_, (std::vector<std::string>{"Lock failed [Post]", "Lock failed [Delete]",
                                                   "Lock failed [Restore]"}));
}

} // namespace
} // namespace vell3::tables::test

namespace vell3::tables::test {
namespace {

using namespace std::chrono_literals;

class LockWaitTest : public SharedUseTest {};

// The append lock tried again while another program holds it: taken once
// the other lets go within the wait, refused after the wait otherwise.
TEST_F(LockWaitTest, ALockWithinWaitsForTheHolder) {
    TTzDbf holder;
    OpenShared(holder);
    TTzDbf waiter;
    OpenShared(waiter);
    ASSERT_TRUE(holder.ALock());
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(waiter.ALockWithin(200ms));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);
    EXPECT_EQ(waiter.Locks(), LockState::None);

    std::thread release([&holder] {
        std::this_thread::sleep_for(150ms);
        holder.UnLock();
    });
    EXPECT_TRUE(waiter.ALockWithin(5000ms));
    release.join();
    EXPECT_EQ(waiter.Locks(), LockState::Append);
    EXPECT_FALSE(holder.ALock());
    waiter.UnLock();
    EXPECT_TRUE(holder.ALock());
    holder.UnLock();
}

// The hold lets the lock go however the scope ends, and never releases a
// lock it did not take.
TEST_F(LockWaitTest, AppendLockHoldReleasesOnlyWhatItTook) {
    TTzDbf table;
    OpenShared(table);
    TTzDbf other;
    OpenShared(other);
    try {
        const AppendLockHold hold(table);
        ASSERT_TRUE(hold.Held());
        EXPECT_FALSE(other.ALock());
        throw std::runtime_error("the append failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(table.Locks(), LockState::None);
    ASSERT_TRUE(other.ALock());
    {
        const AppendLockHold refused(table);
        EXPECT_FALSE(refused.Held());
    }
    EXPECT_EQ(other.Locks(), LockState::Append);
    EXPECT_FALSE(table.ALock());
    other.UnLock();
}

TEST(RetryForTest, TriesOnceForNoWaitAndUntilTheDeadlineOtherwise) {
    int attempts = 0;
    EXPECT_FALSE(RetryFor(0ms, 1ms, [&] { return ++attempts > 100; }));
    EXPECT_EQ(attempts, 1);
    attempts = 0;
    EXPECT_TRUE(RetryFor(2000ms, 1ms, [&] { return ++attempts == 3; }));
    EXPECT_EQ(attempts, 3);
}

} // namespace
} // namespace vell3::tables::test
