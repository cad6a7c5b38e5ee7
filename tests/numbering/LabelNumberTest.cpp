#include "LabelNumber.h"

#include <gtest/gtest.h>

namespace vell3 {
namespace {

TEST(BuildLabelNumber, FormsTheTwentyDigits) {
    const struct {
        const char* customerId;
        const char* serial;
        const char* expected;
    } cases[] = {
        {"123456789", "00000042", "71123456789000000423"},
        {"123456789", "00000001", "71123456789000000010"}, // weighted sum ends in 0
        {"000000000", "00000001", "71000000000000000015"},
        {"12345", "00000001", "71000012345000000012"},
        {"         ", "00000001", "71000000000000000015"}, // an untouched masked field
        {"123456789", "        ", "71123456789000000003"},
        {"123456789", "42", "71123456789000000423"},
        {"abc", "00000001", "71000000000000000015"},
        {"123456789", "x1", "71123456789000000003"},
        {"   456789", "00000001", "71000456789000000014"}, // leading blanks count as zeros
        {"-12345678", "00000001", "71000000000000000015"}, // a sign is not a digit
        {"$1F", "00000001", "71000000000000000015"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BuildLabelNumber(c.customerId, c.serial), c.expected)
            << '"' << c.customerId << "\" \"" << c.serial << '"';
    }
}

TEST(Gs1CheckDigit, WeighsThreeOnTheRightmostDigit) {
    EXPECT_EQ(Gs1CheckDigit("7112345678900000042"), '3');
    EXPECT_EQ(Gs1CheckDigit("7112345678900000001"), '0');
    // GS1 examples: GTIN-13 400638133393 -> 1, SSCC body 37610425002123456 -> 9.
    EXPECT_EQ(Gs1CheckDigit("400638133393"), '1');
    EXPECT_EQ(Gs1CheckDigit("37610425002123456"), '9');
}

TEST(GroupLabelNumber, JoinsFiveGroupsOfFour) {
    EXPECT_EQ(GroupLabelNumber("71123456789000000423"), "7112 3456 7890 0000 0423");
    EXPECT_EQ(GroupLabelNumber("71000000000000000015"), "7100 0000 0000 0000 0015");
    EXPECT_EQ(GroupLabelNumber("711234"), "7112 34   ");
    EXPECT_EQ(GroupLabelNumber(""), "    ");
}

} // namespace
} // namespace vell3
