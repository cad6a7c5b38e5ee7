#include "Cp437.h"
#include "Text.h"

#include <gtest/gtest.h>

namespace vell3 {
namespace {

TEST(Cp437, RoundTripsTheOemCharacters) {
    const std::string text = "Müller Straße Å é ½ ░";
    const std::string oem = Utf8ToCp437(text);
    EXPECT_EQ(oem, "M\x81ller Stra\xE1"
                   "e \x8F \x82 \xAB \xB0");
    EXPECT_EQ(Cp437ToUtf8(oem), text);
}

TEST(Cp437, CharactersItCannotHoldBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp437("€ Ł x"), "? ? x");
}

TEST(Text, InvalidUtf8IsReadAsWindows1252) {
    EXPECT_EQ(DecodeExternalText("M\xFCller \x80"), "Müller €");
    EXPECT_EQ(DecodeExternalText("Müller"), "Müller");
    EXPECT_FALSE(IsValidUtf8("\xC3"));         // cut short
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));     // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")); // surrogate
}

TEST(Text, TrimRemovesControlCodesAndBlanksOnly) {
    EXPECT_EQ(Trim("\t\r\n  a b \x01"), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("ü "), "ü");
}

} // namespace
} // namespace vell3
