#include "CliRunner.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace vell3::test {
namespace {

TEST(GlobalOptions, HelpAndVersionAnswerOnStandardOutput) {
    TempFolder config;
    const CliResult help = RunCli({"--help"}, config.Path());
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: vell3-cli [OPTION]... SUBCOMMAND [ARG]...\n"))
        << help.out;
    for (const char* line :
         {"\n      --program-folder=DIR", "\n      --settings=FILE", "\n  -h, --help",
          "\n      --version", "\n  dbf ", "\n  label ", "\n  print ", "\n  settings "}) {
        EXPECT_NE(help.out.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(RunCli({"-h"}, config.Path()).out, help.out);

    const CliResult version = RunCli({"--version"}, config.Path());
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(
        version.out.starts_with("vell3-cli (Vell3 Certified Mail) " VELL3_VERSION_TEXT "\n"))
        << version.out;
    EXPECT_TRUE(version.err.empty()) << version.err;
}

TEST(GlobalOptions, BadUsageSaysWhatAndExitsTwo) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{}, "vell3-cli: missing subcommand\n"},
        {{"--bogus", "settings"}, "vell3-cli: Unknown option 'bogus'.\n"},
        {{"--settings"}, "vell3-cli: Missing value after '--settings'.\n"},
        {{"--program-folder", "/tmp"}, "vell3-cli: missing subcommand\n"},
    };
    for (const auto& c : cases) {
        TempFolder config;
        const CliResult result = RunCli(c.args, config.Path());
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_TRUE(result.out.empty());
        EXPECT_TRUE(result.err.starts_with(c.message)) << result.err;
        EXPECT_NE(result.err.find("Try 'vell3-cli --help'"), std::string::npos);
    }
}

TEST(GlobalOptions, BothSpellingsOfAValueWork) {
    for (const bool joined : {false, true}) {
        TempFolder config;
        TempFolder program;
        const std::vector<std::string> args =
            joined ? std::vector<std::string>{"--program-folder=" + program.Path(), "settings"}
                   : std::vector<std::string>{"--program-folder", program.Path(), "settings"};
        const CliResult result = RunCli(args, config.Path());
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_NE(result.out.find("\nAddressFolder=" + program.Path() + "Addresses\n"),
                  std::string::npos)
            << result.out;
    }
}

TEST(GlobalOptions, SubcommandArgumentsPassThroughUntouched) {
    TempFolder config;
    // Options of the tool and of Qt after the subcommand's name are the
    // subcommand's own: here a customer ID without digits.
    for (const char* customerId : {"--help", "--version", "-reverse", "--settings"}) {
        const CliResult result = RunCli({"label", customerId, "00000001"}, config.Path());
        EXPECT_EQ(result.status, 0) << customerId << ": " << result.err;
        EXPECT_EQ(result.out, "71000000000000000015\n7100 0000 0000 0000 0015\n") << customerId;
    }
}

} // namespace
} // namespace vell3::test
