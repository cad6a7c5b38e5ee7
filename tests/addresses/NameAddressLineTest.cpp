#include "NameAddressLine.h"
#include "NameAddressText.h"

#include <gtest/gtest.h>

#include <vector>

namespace vell3::addresses {
namespace {

const NameAddressLine kNoFields{};

struct ReadCase {
    const char* name;
    std::string_view line;
    NameAddressLine fields;
};

void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << c.name;
}

class ReadLineTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadLineTest, GivesTheSevenFields) {
    EXPECT_EQ(ReadNameAddressLine(GetParam().line), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    LineCases, ReadLineTest,
    ::testing::Values(
        ReadCase{"SevenPlainFields", "a,b,,,c,d,e", {"a", "b", "", "", "c", "d", "e"}},
        ReadCase{"SixFieldsAreRejected", "a,b,,,c,d", kNoFields},
        ReadCase{"SixFieldsAndATrailingComma", "a,b,,,c,d,", {"a", "b", "", "", "c", "d", ""}},
        ReadCase{"FiveFieldsAreRejected", "a,b,c,d,e", kNoFields},
        ReadCase{"SixCommasOnlyGiveEmptyFields", ",,,,,,", kNoFields},
        ReadCase{"CommaInQuotes", "\"a, b\",,,,c,d,e", {"a, b", "", "", "", "c", "d", "e"}},
        ReadCase{"DoubledQuotes",
                 "\"x \"\"y\"\" z\",,,,c,d,e",
                 {"x \"y\" z", "", "", "", "c", "d", "e"}},
        ReadCase{"QuoteEndingAValue",
                 "\"Jack \"\"JJ\"\"\",,,,c,d,e",
                 {"Jack \"JJ\"", "", "", "", "c", "d", "e"}},
        ReadCase{"SingleQuoteInsideAQuotedField",
                 "\"5\" pipe, Inc\",,,,c,d,e",
                 {"5\" pipe, Inc", "", "", "", "c", "d", "e"}},
        ReadCase{"AllQuoted",
                 "\"a\",\"b\",\"\",\"\",\"c\",\"d\",\"e\"",
                 {"a", "b", "", "", "c", "d", "e"}},
        ReadCase{"QuotedSeventhFieldEndsTheLine",
                 "a,,,,c,d,\"e, f\"",
                 {"a", "", "", "", "c", "d", "e, f"}},
        ReadCase{"UnclosedSeventhFieldIsEmpty", "a,,,,c,d,\"e", {"a", "", "", "", "c", "d", ""}},
        ReadCase{"UnclosedFirstFieldSkipsItsQuote",
                 "\"a,b,c,d,e,f,g",
                 {"", "a", "b", "c", "d", "e", "f"}},
        ReadCase{"EmptyLine", "", kNoFields},
        ReadCase{"LineWithoutAComma", "Just a name", kNoFields},
        ReadCase{"HeaderLine",
                 "Line1,Line2,Line3,Line4,City,State,Zip",
                 {"Line1", "Line2", "Line3", "Line4", "City", "State", "Zip"}},
        ReadCase{"FieldsAfterTheSeventhAreIgnored",
                 "a,b,c,d,e,f,g,h,\"i\"",
                 {"a", "b", "c", "d", "e", "f", "g"}},
        ReadCase{
            "BlanksArePartOfTheField", " a , b ,,,c,d,e ", {" a ", " b ", "", "", "c", "d", "e "}},
        ReadCase{"BlankBeforeAQuoteMakesAPlainField",
                 " \"a, b\",,,,c,d,e",
                 {" \"a", " b\"", "", "", "", "c", "d"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct WriteCase {
    const char* name;
    NameAddressLine fields;
    std::string_view line;
};

void PrintTo(const WriteCase& c, std::ostream* out) {
    *out << c.name;
}

class WriteLineTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteLineTest, WritesTheLineAndReadsBack) {
    const std::string written = WriteNameAddressLine(GetParam().fields);
    EXPECT_EQ(written, GetParam().line);
    NameAddressLine trimmed;
    for (size_t i = 0; i < kNameAddressFieldCount; ++i) {
        trimmed[i] = GetParam().fields[i];
        while (!trimmed[i].empty() && static_cast<unsigned char>(trimmed[i].back()) <= ' ') {
            trimmed[i].pop_back();
        }
        while (!trimmed[i].empty() && static_cast<unsigned char>(trimmed[i].front()) <= ' ') {
            trimmed[i].erase(0, 1);
        }
    }
    EXPECT_EQ(ReadNameAddressLine(written.substr(0, written.size() - 2)), trimmed);
}

INSTANTIATE_TEST_SUITE_P(
    LineCases, WriteLineTest,
    ::testing::Values(
        WriteCase{"EveryFieldQuoted",
                  {"a", "b", "", "", "c", "d", "e"},
                  "\"a\",\"b\",\"\",\"\",\"c\",\"d\",\"e\"\r\n"},
        WriteCase{"QuotesAreDoubled",
                  {"5\" pipe, Inc", "", "", "", "Troy", "NY", "12180"},
                  "\"5\"\" pipe, Inc\",\"\",\"\",\"\",\"Troy\",\"NY\",\"12180\"\r\n"},
        WriteCase{
            "QuotesAtBothEnds",
            {"\"Q\" Corp", "Jack \"JJ\"", "\"", "", "", "", "\"\""},
            "\"\"\"Q\"\" Corp\",\"Jack \"\"JJ\"\"\",\"\"\"\",\"\",\"\",\"\",\"\"\"\"\"\"\r\n"},
        WriteCase{"BlanksAndControlCharactersTrimmed",
                  {"  a\t", "\x01 b", "", "", "c  ", "d", "e"},
                  "\"a\",\"b\",\"\",\"\",\"c\",\"d\",\"e\"\r\n"},
        WriteCase{"AccentsAsUtf8",
                  {"Müller", "", "", "", "Köln", "", ""},
                  "\"Müller\",\"\",\"\",\"\",\"Köln\",\"\",\"\"\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteLineTest, ALineBreakInsideAValueBecomesABlank) {
    EXPECT_EQ(WriteNameAddressLine({"a\r\nb", "", "", "", "c\nd", "", ""}),
              "\"a  b\",\"\",\"\",\"\",\"c d\",\"\",\"\"\r\n");
}

std::vector<std::string> Lines(std::string_view bytes) {
    const std::string text = DecodeNameAddressText(bytes);
    std::string_view rest = text;
    std::vector<std::string> lines;
    while (!rest.empty()) {
        lines.push_back(TakeTextLine(rest));
    }
    return lines;
}

using LineList = std::vector<std::string>;

TEST(TextLinesTest, LinesEndAtLineFeedsWithOrWithoutACarriageReturn) {
    EXPECT_EQ(Lines("a\r\nb\nc"), (LineList{"a", "b", "c"}));
    EXPECT_EQ(Lines("a\n\nb\n"), (LineList{"a", "", "b"}));
    EXPECT_EQ(Lines(""), LineList{});
    EXPECT_EQ(Lines("\n"), LineList{""});
}

TEST(TextLinesTest, OtherCarriageReturnsAreDropped) {
    EXPECT_EQ(Lines("a\rb\r\r\nc\r"), (LineList{"ab", "c"}));
}

TEST(TextLinesTest, CtrlZEndsTheFile) {
    EXPECT_EQ(Lines("a\r\n\x1A"
                    "b\r\n"),
              LineList{"a"});
    EXPECT_EQ(Lines("a\x1A\nb"), LineList{"a"});
}

TEST(TextLinesTest, AByteOrderMarkAtTheStartIsPassedOver) {
    EXPECT_EQ(Lines("\xEF\xBB\xBF\"M\xC3\xBCller\",x\r\n"), LineList{"\"Müller\",x"});
    // Only at the start: elsewhere it is text.
    EXPECT_EQ(Lines("a\n\xEF\xBB\xBF"
                    "b"),
              (LineList{"a", "\xEF\xBB\xBF"
                             "b"}));
}

TEST(TextLinesTest, TextThatIsNotUtf8IsWindows1252) {
    EXPECT_EQ(Lines("M\xFCller \x80\r\nK\xF6ln"), (LineList{"Müller €", "Köln"}));
    // One stray byte anywhere decides for the whole file.
    EXPECT_EQ(Lines("M\xC3\xBCller\n\xE9"), (LineList{"MÃ¼ller", "é"}));
}

} // namespace
} // namespace vell3::addresses
