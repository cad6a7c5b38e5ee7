#include "MoneyTotal.h"

#include "Money.h"

#include <cstdio>

namespace vell3::report {

namespace {
// Fee texts carry cents, now and then a fraction of one; six places keep
// every one of them exact in a total while rounding away the binary noise
// of adding many of them.
constexpr int kPlaces = 6;
constexpr int kMinPlaces = 2;
} // namespace

void MoneyTotal::Add(std::string_view moneyText) {
    if (const auto amount = ReadMoneyNumber(moneyText)) {
        sum_ += static_cast<long double>(*amount);
    }
}

std::string MoneyTotal::Text() const {
    char buffer[128];
    // Adding 0 turns a negative zero into a plain one.
    std::snprintf(buffer, sizeof buffer, "%.*Lf", kPlaces, sum_ + 0.0L);
    std::string text(buffer);
    const auto point = text.find('.');
    if (point == std::string::npos) {
        return text; // far beyond any money amount
    }
    while (text.size() > point + 1 + kMinPlaces && text.back() == '0') {
        text.pop_back();
    }
    if (text == "-0.00") {
        text.erase(0, 1);
    }
    return text;
}

} // namespace vell3::report
