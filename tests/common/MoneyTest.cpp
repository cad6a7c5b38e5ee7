#include "Money.h"

#include <gtest/gtest.h>

namespace vell3 {
namespace {

struct MoneyCase {
    double amount;
    const char* expected;
};

class FormatMoneyTest : public testing::TestWithParam<MoneyCase> {};

TEST_P(FormatMoneyTest, LeadingSpacesAndTwoDecimals) {
    EXPECT_EQ(FormatMoney(GetParam().amount), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, FormatMoneyTest,
    testing::Values(MoneyCase{0.39, "          0.39"}, MoneyCase{2.4, "          2.40"},
                    MoneyCase{3, "          3.00"}, MoneyCase{12.5, "        12.50"},
                    MoneyCase{123.45, "      123.45"}, MoneyCase{1234, "     1234.00"},
                    MoneyCase{12345.6, "   12345.60"}, MoneyCase{250000, " 250000.00"},
                    MoneyCase{1.005, "          1.005"}, MoneyCase{-5, "          -5.00"},
                    MoneyCase{0, "          0.00"}, MoneyCase{-0.0, "          0.00"},
                    // The bounds themselves take the shorter run of spaces.
                    MoneyCase{9.99, "          9.99"}, MoneyCase{10, "        10.00"},
                    MoneyCase{99.999, "        99.999"}, MoneyCase{100, "      100.00"},
                    MoneyCase{1000, "     1000.00"}, MoneyCase{10000, "   10000.00"},
                    MoneyCase{100000, " 100000.00"},
                    // The defaults' sum carries binary noise that 15 digits hide.
                    MoneyCase{0.39 + 2.40 + 1.85, "          4.64"}));

TEST(FormatMoney, FarOutsideTheMoneyRangeUsesAnExponent) {
    EXPECT_EQ(FormatMoney(1e20), " 1E20.00");
    EXPECT_EQ(FormatMoney(1.5e-7), "          1.5E-7");
}

struct ReadCase {
    const char* text;
    bool reads;
    double value;
};

class ReadMoneyNumberTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadMoneyNumberTest, FollowsTheNumberGrammar) {
    const auto result = ReadMoneyNumber(GetParam().text);
    ASSERT_EQ(result.has_value(), GetParam().reads) << GetParam().text;
    if (result) {
        EXPECT_DOUBLE_EQ(*result, GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadMoneyNumberTest,
                         testing::Values(ReadCase{"2.4", true, 2.4},
                                         ReadCase{"          2.40", true, 2.4},
                                         ReadCase{"2.40  ", true, 2.4}, ReadCase{"-1", true, -1},
                                         ReadCase{"+3", true, 3}, ReadCase{"1e2", true, 100},
                                         ReadCase{"1.5E-1", true, 0.15}, ReadCase{".5", true, 0.5},
                                         ReadCase{"5.", true, 5}, ReadCase{"0", true, 0},
                                         ReadCase{"", false, 0}, ReadCase{" ", false, 0},
                                         ReadCase{"abc", false, 0}, ReadCase{"$2.40", false, 0},
                                         ReadCase{"2,40", false, 0}, ReadCase{"2.4.1", false, 0},
                                         ReadCase{"1e", false, 0}, ReadCase{"- 1", false, 0},
                                         ReadCase{".", false, 0}, ReadCase{"1e999", false, 0},
                                         ReadCase{"2.4x", false, 0}, ReadCase{"\t2.4", false, 0}));

TEST(FeeFieldText, PositiveAmountsBecomeMoneyTextOthersASingleSpace) {
    EXPECT_EQ(FeeFieldText("2.4"), "          2.40");
    EXPECT_EQ(FeeFieldText("abc"), " ");
    EXPECT_EQ(FeeFieldText("0"), " ");
    EXPECT_EQ(FeeFieldText("-1"), " ");
    EXPECT_EQ(FeeFieldText(" "), " ");
    EXPECT_EQ(FeeFieldText("1.005"), "          1.005");
}

TEST(FeeTotalText, SkipsTextsThatDoNotRead) {
    EXPECT_EQ(FeeTotalText({" ", " ", " ", " "}), "          0.00");
    EXPECT_EQ(FeeTotalText({"          0.39", "          2.40", " ", "          1.85"}),
              "          4.64");
    EXPECT_EQ(
        FeeTotalText({"          0.39", "          2.40", "          3.50", "          1.85"}),
        "          8.14");
    // A field being left still holds what the user typed: -1 counts this once.
    EXPECT_EQ(FeeTotalText({"-1", "          2.40", " ", "abc"}), "          1.40");
}

} // namespace
} // namespace vell3
