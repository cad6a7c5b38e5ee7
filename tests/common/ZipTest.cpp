#include "Zip.h"

#include <gtest/gtest.h>

namespace vell3 {
namespace {

TEST(NormalizeZip, TidiesMaskedFieldTexts) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"12345-6789", "12345-6789"},
        {"12345-    ", "12345"},
        {"     -    ", ""},
        {"     -6789", "6789"},
        {"123  -    ", "123  "},
        {"-", ""},
        {"", ""},
        {"62704", "62704"},
        {"  12345  ", "12345"},
        {"12-34-", "12-34-"}, // the first dash is not the last character
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NormalizeZip(c.text), c.expected) << '"' << c.text << '"';
    }
}

} // namespace
} // namespace vell3
