#include "AddressText.h"

#include <gtest/gtest.h>

namespace vell3 {
namespace {

struct PasteCase {
    const char* name;
    const char* clipboard;
    std::vector<std::string> nameLines;
    const char* city;
    const char* state;
    const char* zip;
};

class ParsePastedAddressTest : public testing::TestWithParam<PasteCase> {};

TEST_P(ParsePastedAddressTest, CutsTheCityLine) {
    const auto& c = GetParam();
    const auto parsed = ParsePastedAddress(c.clipboard);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->nameLines, c.nameLines);
    EXPECT_EQ(parsed->city, c.city);
    EXPECT_EQ(parsed->state, c.state);
    EXPECT_EQ(parsed->zip, c.zip);
}

INSTANTIATE_TEST_SUITE_P(
    Clipboards, ParsePastedAddressTest,
    testing::Values(
        PasteCase{"ZipPlusFour",
                  "Office Manager\r\n12 Main St\r\nSpringfield, IL 62704-1234",
                  {"Office Manager", "12 Main St"},
                  "Springfield",
                  "IL",
                  "62704-1234"},
        PasteCase{"FiveDigitZip",
                  "Office Manager\r\n12 Main St\r\nSpringfield, IL 62704\r\n",
                  {"Office Manager", "12 Main St"},
                  "Springfield",
                  "IL",
                  "62704"},
        PasteCase{"SingleLine", "Springfield, IL 62704", {}, "Springfield", "IL", "62704"},
        PasteCase{"SixLines",
                  "A\r\nB\r\nC\r\nD\r\nE\r\nX, YZ 12345",
                  {"A", "B", "C", "D"},
                  "X",
                  "YZ",
                  "12345"},
        PasteCase{
            "DashInCityName", "Winston-Salem, NC 27101", {}, "Winston-Sal", "em", "nston-Sale"},
        PasteCase{"TrailingSpacesAfterZip",
                  "Springfield, IL 62704  ",
                  {},
                  "Springfield, IL",
                  "62",
                  "704  "},
        PasteCase{"LoneLineFeedsStayInTheLine",
                  "A\nB\nSpringfield, IL 62704\r\n",
                  {},
                  "A\nB\nSpringfield",
                  "IL",
                  "62704"},
        PasteCase{"LineFeedCarriageReturnPairs",
                  "A\n\rSpringfield IL 62704\n\r",
                  {"A"},
                  "Springfield",
                  "IL",
                  "62704"},
        // Cuts before the line's first character keep only what lies inside it.
        PasteCase{"ShortCityLine", "AB", {}, "", "", "AB"},
        PasteCase{"DashNearTheStart", "1-2", {}, "", "", "1-2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParsePastedAddress, NoLineAtAllGivesNothing) {
    EXPECT_FALSE(ParsePastedAddress("").has_value());
    EXPECT_FALSE(ParsePastedAddress("one line ending in a lone feed\n").has_value());
    EXPECT_FALSE(ParsePastedAddress("\r").has_value());
}

TEST(SplitPastedLines, DropsTextAfterTheLastPair) {
    EXPECT_EQ(SplitPastedLines("a\r\nb\n"), std::vector<std::string>{"a"});
    EXPECT_EQ(SplitPastedLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(WithWindowsLineBreaks, OnlyTextsWithoutCarriageReturnsChange) {
    const struct {
        const char* clipboard;
        const char* expected;
    } cases[] = {
        {"Ann Lee\n12 Elm\nDayton, OH 45402\n", "Ann Lee\r\n12 Elm\r\nDayton, OH 45402\r\n"},
        {"Dayton, OH 45402", "Dayton, OH 45402"},
        {"\n\n", "\r\n\r\n"},
        {"", ""},
        // A text with any CR keeps its own line ends, lone LFs included.
        {"Ann Lee\n12 Elm\nDayton, OH 45402\r\n", "Ann Lee\n12 Elm\nDayton, OH 45402\r\n"},
        {"Ann Lee\n\rDayton, OH 45402\n\r", "Ann Lee\n\rDayton, OH 45402\n\r"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithWindowsLineBreaks(c.clipboard), c.expected) << c.clipboard;
    }
}

TEST(SenderLines, CityLineTakesTheFirstBlankLine) {
    AppSettings s;
    s.YourCity = "Springfield";
    s.YourState = "IL";
    s.YourZip = "62704";
    s.YourLine2 = "12 Main St";
    EXPECT_EQ(SenderLines(s),
              (std::array<std::string, 5>{"Springfield IL 62704", "12 Main St", "", "", ""}));
    s.YourLine1 = "Acme";
    s.YourLine3 = "  ";
    EXPECT_EQ(SenderLines(s),
              (std::array<std::string, 5>{"Acme", "12 Main St", "Springfield IL 62704", "", ""}));
    s.YourLine3 = "Suite 4";
    s.YourLine4 = "Attn";
    EXPECT_EQ(SenderLines(s)[4], "Springfield IL 62704");
}

TEST(SenderLines, BlankCityPartsAreTrimmedAway) {
    AppSettings s;
    s.YourLine1 = "Acme";
    s.YourState = "IL";
    EXPECT_EQ(SenderLines(s)[1], "IL");
}

TEST(RecipientLines, CityLineGoesIntoTheFirstBlankNameLine) {
    EXPECT_EQ(RecipientLines({"A", "", "B", ""}, "X", "Y", "12345-    "),
              (std::array<std::string, 5>{"A", "X Y 12345", "B", "", ""}));
    EXPECT_EQ(RecipientLines({"A", "B", "C", "D"}, " X ", " Y", "     -    "),
              (std::array<std::string, 5>{"A", "B", "C", "D", "X Y "}));
    EXPECT_EQ(RecipientLines({"A"}, "X", "Y", "12345-6789"),
              (std::array<std::string, 5>{"A", "X Y 12345-6789", "", "", ""}));
}

} // namespace
} // namespace vell3
