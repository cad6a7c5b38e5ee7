#include "CliRunner.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vell3::test {
namespace {

struct LabelCase {
    const char* customerId;
    const char* serial;
    const char* expected;
};

void PrintTo(const LabelCase& c, std::ostream* out) {
    *out << '"' << c.customerId << "\" \"" << c.serial << '"';
}

class LabelCommand : public ::testing::TestWithParam<LabelCase> {};

TEST_P(LabelCommand, PrintsNumberAndGroupedForm) {
    TempFolder config;
    const LabelCase& c = GetParam();
    const CliResult result = RunCli({"label", c.customerId, c.serial}, config.Path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LabelCommand,
    ::testing::Values(
        LabelCase{"12-345-6789", "00000042", "71123456789000000423\n7112 3456 7890 0000 0423\n"},
        LabelCase{"12-345-6789", "00000001", "71123456789000000010\n7112 3456 7890 0000 0010\n"},
        LabelCase{"00-000-0000", "00000001", "71000000000000000015\n7100 0000 0000 0000 0015\n"},
        // Every dash goes, wherever it stands.
        LabelCase{"-1-2-3-4-5-", "00000001", "71000012345000000012\n7100 0012 3450 0000 0012\n"},
        // An untouched masked field: blanks between the dashes.
        LabelCase{"  -   -    ", "        ", "71000000000000000008\n7100 0000 0000 0000 0008\n"},
        LabelCase{"AB-CDE-FGHI", "00000001", "71000000000000000015\n7100 0000 0000 0000 0015\n"}));

TEST(LabelCommandUsage, WrongArgumentCountIsAUsageError) {
    TempFolder config;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"label"}, std::vector<std::string>{"label", "123456789"},
          std::vector<std::string>{"label", "1", "2", "3"}}) {
        const CliResult result = RunCli(args, config.Path());
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(result.out.empty());
        EXPECT_NE(result.err.find("usage"), std::string::npos);
    }
}

TEST(LabelCommandUsage, UnknownSubcommandIsAUsageError) {
    TempFolder config;
    const CliResult result = RunCli({"no-such-command"}, config.Path());
    EXPECT_EQ(result.status, 2);
}

} // namespace
} // namespace vell3::test
