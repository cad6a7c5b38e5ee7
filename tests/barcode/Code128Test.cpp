#include "Code128.h"
#include "Postnet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vell3 {
namespace {

struct EncodeCase {
    const char* text;
    std::vector<int> symbols;
};

class EncodeCode128Test : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeCode128Test, GivesTheSymbolCharacters) {
    EXPECT_EQ(EncodeCode128(GetParam().text), GetParam().symbols);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodeCode128Test,
    ::testing::Values(
        // The label number 7112 3456 7890 0000 0423: check (105 + 1*71 + ... + 10*23) mod 103.
        EncodeCase{"71123456789000000423", {105, 71, 12, 34, 56, 78, 90, 0, 0, 4, 23, 74, 106}},
        EncodeCase{"71000000000000000015", {105, 71, 0, 0, 0, 0, 0, 0, 0, 0, 15, 17, 106}},
        // Four digits are the least that start in code set C.
        EncodeCase{"1234", {105, 12, 34, (105 + 12 + 2 * 34) % 103, 106}},
        EncodeCase{"123", {104, 17, 18, 19, (104 + 17 + 2 * 18 + 3 * 19) % 103, 106}},
        // An odd digit left over leaves code set C.
        EncodeCase{"12345", {105, 12, 34, 100, 21, (105 + 12 + 68 + 300 + 4 * 21) % 103, 106}},
        EncodeCase{"a\x01", {104, 65, 101, 65, (104 + 65 + 2 * 101 + 3 * 65) % 103, 106}},
        EncodeCase{"\x01"
                   "a",
                   {103, 65, 100, 65, (103 + 65 + 2 * 100 + 3 * 65) % 103, 106}},
        EncodeCase{"", {104, 104 % 103, 106}}));

TEST(Code128PatternTest, SpellsTheStandardModules) {
    EXPECT_EQ(Code128Pattern(0), "11011001100");
    EXPECT_EQ(Code128Pattern(105), "11010011100");
    EXPECT_EQ(Code128Pattern(106), "1100011101011");
    for (int v = 0; v < 106; ++v) {
        const std::string_view p = Code128Pattern(v);
        ASSERT_EQ(p.size(), 11U) << v;
        // Every symbol character has three bars and three spaces over 11 modules.
        EXPECT_EQ(p.front(), '1') << v;
        EXPECT_EQ(p.back(), '0') << v;
    }
    EXPECT_THROW(Code128Pattern(107), std::out_of_range);
    EXPECT_THROW(Code128Pattern(-1), std::out_of_range);
}

struct PostnetCase {
    const char* digits;
    char check;
};

class PostnetCheckTest : public ::testing::TestWithParam<PostnetCase> {};

TEST_P(PostnetCheckTest, MakesTheSumAMultipleOfTen) {
    EXPECT_EQ(PostnetCheckDigit(GetParam().digits), GetParam().check);
}

INSTANTIATE_TEST_SUITE_P(Cases, PostnetCheckTest,
                         ::testing::Values(PostnetCase{"123456789", '5'}, PostnetCase{"12345", '5'},
                                           PostnetCase{"00000", '0'}, PostnetCase{"55555", '5'},
                                           PostnetCase{"99999", '5'}, PostnetCase{"", '0'}));

TEST(PostnetBarsTest, FramesFiveBarsPerDigitWithTwoFull) {
    const std::vector<bool> bars = PostnetBars("12345");
    ASSERT_EQ(bars.size(), 2U + 6U * 5U);
    EXPECT_TRUE(bars.front());
    EXPECT_TRUE(bars.back());
    // 1 = 00011
    EXPECT_EQ(std::vector<bool>(bars.begin() + 1, bars.begin() + 6),
              (std::vector<bool>{false, false, false, true, true}));
    for (std::size_t digit = 0; digit < 6; ++digit) {
        int full = 0;
        for (std::size_t k = 0; k < 5; ++k) {
            full += bars[1 + digit * 5 + k] ? 1 : 0;
        }
        EXPECT_EQ(full, 2) << digit;
    }
}

} // namespace
} // namespace vell3
