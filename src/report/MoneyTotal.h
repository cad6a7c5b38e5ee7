#pragma once

#include <string>
#include <string_view>

namespace vell3::report {

// The sum of a column of money texts. A text that does not read as a number
// (a blank fee among them) adds nothing.
class MoneyTotal {
public:
    void Add(std::string_view moneyText);
    // Two decimals at least, more only where the amounts had them; no
    // binary noise ("12.30", "0.555", "-4.00").
    std::string Text() const;

private:
    long double sum_ = 0;
};

} // namespace vell3::report
