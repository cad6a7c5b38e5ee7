// Several desks on one shared DataFolder: two processes print at once into
// one mailing log with one customer ID.

#include "CliRunner.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include <sys/wait.h>
#include <unistd.h>

namespace vell3::test {
namespace {

constexpr int kDesks = 2;
constexpr int kMailersPerDesk = 50;

std::string DeskSettings(const std::string& share) {
    return "[Type]\nCompany=Ambervale\nBarCodeApp=0\n"
           "[YourAddress]\nLine1=Acme Legal LLP\nCity=Dayton\nState=OH\nZip=45402\n"
           "[Values]\nCustID=12-345-6789\nSerialNum=00000000\n"
           "[System Path]\nDataFolder=" +
           share + "\n";
}

TEST(SharedDataFolder, TwoDesksPrintingAtOnceLogOneHundredDifferentNumbers) {
    TempFolder share;
    TempFolder output;
    std::vector<std::unique_ptr<TempFolder>> configs;
    for (int d = 0; d < kDesks; ++d) {
        configs.push_back(std::make_unique<TempFolder>());
        WriteFile(configs.back()->File("vell3.ini"), DeskSettings(share.Path()));
    }
    std::vector<pid_t> desks;
    for (int d = 0; d < kDesks; ++d) {
        const pid_t desk = ::fork();
        ASSERT_GE(desk, 0);
        if (desk == 0) {
            for (int i = 0; i < kMailersPerDesk; ++i) {
                const std::string pdf =
                    output.File("desk" + std::to_string(d) + "-" + std::to_string(i) + ".pdf");
                const CliResult result =
                    RunCli({"print", "--pdf", pdf, "--dpi", "72", "--line", "John Smith", "--city",
                            "Boston", "--state", "MA", "--zip", "02134"},
                           configs[static_cast<size_t>(d)]->Path());
                if (result.status != 0) {
                    WriteFile(output.File("error" + std::to_string(d)), result.err);
                    ::_exit(1);
                }
            }
            ::_exit(0);
        }
        desks.push_back(desk);
    }
    for (int d = 0; d < kDesks; ++d) {
        int status = 0;
        ::waitpid(desks[static_cast<size_t>(d)], &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "desk " << d << ": " << ReadFile(output.File("error" + std::to_string(d)));
    }

    const CliResult dump =
        RunCli({"dbf", "dump", share.File("Reports/report3.dbf")}, configs[0]->Path());
    ASSERT_EQ(dump.status, 0) << dump.err;
    static const std::regex mailerNumber(R"re("mailernum":"([0-9 ]+)")re", std::regex::icase);
    std::set<std::string> numbers;
    size_t rows = 0;
    for (auto it = std::sregex_iterator(dump.out.begin(), dump.out.end(), mailerNumber);
         it != std::sregex_iterator(); ++it) {
        ++rows;
        EXPECT_TRUE(numbers.insert((*it)[1]).second) << (*it)[1] << " printed twice";
    }
    EXPECT_EQ(rows, static_cast<size_t>(kDesks * kMailersPerDesk));
    EXPECT_EQ(numbers.size(), static_cast<size_t>(kDesks * kMailersPerDesk));
}

} // namespace
} // namespace vell3::test
