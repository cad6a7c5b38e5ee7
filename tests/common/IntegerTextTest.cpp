#include "IntegerText.h"
#include "UserError.h"

#include <gtest/gtest.h>

namespace vell3 {
namespace {

TEST(ParseInteger, AcceptsTheOrdinaryIntegerForms) {
    const struct {
        const char* text;
        std::optional<std::int32_t> expected;
    } cases[] = {
        {"42", 42},
        {"00000042", 42},
        {"  42", 42},
        {"-7", -7},
        {"+7", 7},
        {"$10", 16},
        {"0x10", 16},
        {"0XfF", 255},
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"42 ", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"abc", std::nullopt},
        {"4 2", std::nullopt},
        {"$100000000", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseInteger(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ParseIntegerOrThrow, NamesTheTextInTheMessage) {
    try {
        ParseIntegerOrThrow("12a45678");
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "'12a45678' is not a valid integer value");
    }
}

} // namespace
} // namespace vell3
