#include "SharedSerial.h"
#include "MailerSequence.h"
#include "ProfileFile.h"
#include "TempFolder.h"
#include "UserError.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <set>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vell3 {
namespace {

TEST(LaterSerial, CountsUpAndWrapsPast99999999) {
    const struct {
        const char* a;
        const char* b;
        const char* later;
    } cases[] = {
        {"00000005", "00000003", "00000005"},
        {"00000003", "00000005", "00000005"},
        {"00000007", "00000007", "00000007"},
        // After 99999999 comes 00000001.
        {"00000001", "99999999", "00000001"},
        {"99999999", "00000001", "00000001"},
        {"00000002", "99999998", "00000002"},
        {"99999990", "00000003", "00000003"},
        // 00000000 (a fresh sequence) stands where 99999999 does.
        {"00000000", "00000001", "00000001"},
        {"00000001", "00000000", "00000001"},
        // Far apart without a wrap between them.
        {"40000000", "00000002", "40000000"},
        // Not a serial: the other one holds.
        {"abc", "00000009", "00000009"},
        {"00000009", "", "00000009"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LaterSerial(c.a, c.b), c.later) << c.a << " " << c.b;
    }
}

class SharedSerialTest : public ::testing::Test {
protected:
    test::TempFolder share;

    AppSettings Desk(const char* serial, const char* customerId = "12-345-6789") const {
        AppSettings s;
        s.ProgramFolder = "/usr/share/vell3/";
        s.LocalDataFolder = "/nonexistent/local/";
        s.DataFolder = share.Path();
        s.CustID = customerId;
        s.SerialNum = serial;
        return s;
    }
    std::optional<std::string> Shared(const char* customerId = "12-345-6789") const {
        return ProfileFile::Read(share.File(kSharedSerialFile)).Get("LastSerial", customerId);
    }
    void SetShared(const std::string& content) const {
        test::WriteFile(share.File(kSharedSerialFile), content);
    }
};

TEST_F(SharedSerialTest, DeskTakesTheLaterOfItsOwnAndTheSharedNextSerial) {
    const struct {
        const char* shared; // the file's content; nullptr: no file yet
        const char* own;    // the desk's stepped serial
        const char* printed;
    } cases[] = {
        {nullptr, "00000005", "00000005"},
        {"[LastSerial]\n12-345-6789=00000041\n", "00000005", "00000042"},
        {"[LastSerial]\n12-345-6789=00000041\n", "00000050", "00000050"},
        {"[LastSerial]\n12-345-6789=00000041\n", "00000042", "00000042"},
        {"[LastSerial]\n12-345-6789=99999999\n", "99999990", "00000001"},
        {"[LastSerial]\n12-345-6789=99999998\n", "00000003", "00000003"},
        // Another customer ID's serial is not this one's.
        {"[LastSerial]\n98-765-4321=00000900\n", "00000005", "00000005"},
        // A damaged entry is no serial.
        {"[LastSerial]\n12-345-6789=12x\n", "00000005", "00000005"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.shared ? c.shared : "(none)") + " own " + c.own);
        std::filesystem::remove(share.File(kSharedSerialFile));
        if (c.shared != nullptr) {
            SetShared(c.shared);
        }
        AppSettings desk = Desk(c.own);
        std::string saved;
        SaveSteppedSequence(desk, [&](const AppSettings& s) { saved = s.SerialNum; });
        EXPECT_EQ(desk.SerialNum, c.printed);
        EXPECT_EQ(saved, c.printed);
        EXPECT_EQ(Shared(), c.printed);
    }
    // Other customer IDs' entries stay.
    EXPECT_EQ(Shared("98-765-4321"), std::nullopt);
    SetShared("[LastSerial]\n98-765-4321=00000900\n");
    AppSettings desk = Desk("00000001");
    SaveSteppedSequence(desk, [](const AppSettings&) {});
    EXPECT_EQ(Shared("98-765-4321"), "00000900");
}

TEST_F(SharedSerialTest, WithoutSharedFolderOrInPrePrintedModeOnlyTheSettingsAreSaved) {
    SetShared("[LastSerial]\n12-345-6789=00000041\n");
    AppSettings own = Desk("00000005");
    own.DataFolder.reset();
    AppSettings emptyKey = Desk("00000005");
    emptyKey.DataFolder = "";
    AppSettings prePrinted = Desk("00000005");
    prePrinted.PrintBarCode = false;
    for (AppSettings* desk : {&own, &emptyKey, &prePrinted}) {
        int saves = 0;
        SaveSteppedSequence(*desk, [&](const AppSettings& s) {
            ++saves;
            EXPECT_EQ(s.SerialNum, "00000005");
        });
        EXPECT_EQ(saves, 1);
        EXPECT_EQ(desk->SerialNum, "00000005");
    }
    EXPECT_EQ(Shared(), "00000041");
}

TEST_F(SharedSerialTest, SharedFileThatCannotBeWrittenStopsBeforeTheSettings) {
    // A folder where the file should be: no write can replace it.
    std::filesystem::create_directories(share.File(std::string(kSharedSerialFile) + "/inner"));
    AppSettings desk = Desk("00000005");
    bool saved = false;
    try {
        SaveSteppedSequence(desk, [&](const AppSettings&) { saved = true; });
        ADD_FAILURE() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + share.File(kSharedSerialFile));
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(desk.SerialNum, "00000005");
}

TEST_F(SharedSerialTest, WaitsWhileAnotherDeskHoldsTheLock) {
    const int fd = ::open(share.File(kSharedSerialLockFile).c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_len = 1;
    ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &lock), 0);

    std::atomic<bool> saved = false;
    AppSettings desk = Desk("00000005");
    std::thread other(
        [&] { SaveSteppedSequence(desk, [&](const AppSettings&) { saved = true; }); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(saved) << "saved while another desk held the lock";
    ::close(fd);
    other.join();
    EXPECT_TRUE(saved);
}

// Two desks (two processes, each with settings of its own) step and keep the
// same customer ID's sequence at once: no serial is handed out twice.
TEST_F(SharedSerialTest, TwoProcessesAtOnceNeverShareASerial) {
    constexpr int kDesks = 2;
    constexpr int kMailers = 50;
    std::vector<pid_t> children;
    for (int d = 0; d < kDesks; ++d) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            AppSettings desk = Desk("00000000");
            std::ostringstream used;
            try {
                for (int i = 0; i < kMailers; ++i) {
                    desk.SerialNum = StepSerial(desk.SerialNum, +1);
                    SaveSteppedSequence(desk, [](const AppSettings&) {});
                    used << desk.SerialNum << '\n';
                }
            } catch (...) {
                ::_exit(1);
            }
            test::WriteFile(share.File("desk" + std::to_string(d)), used.str());
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::set<std::string> serials;
    for (int d = 0; d < kDesks; ++d) {
        std::istringstream lines(test::ReadFile(share.File("desk" + std::to_string(d))));
        for (std::string line; std::getline(lines, line);) {
            EXPECT_TRUE(serials.insert(line).second) << line << " handed out twice";
        }
    }
    EXPECT_EQ(serials.size(), static_cast<size_t>(kDesks * kMailers));
    EXPECT_EQ(Shared(), *serials.rbegin());
}

} // namespace
} // namespace vell3
