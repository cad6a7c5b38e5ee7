#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vell3 {

// A blank amount in a fee field, the total or the log.
inline constexpr const char* kBlankMoney = " ";

// The money text of an amount: leading spaces that right-align it in the
// proportional field font, its general decimal text and a suffix that makes
// at least two decimals. Amounts are never rounded.
std::string FormatMoney(double amount);

// Reads a fee text as a number: optional blanks, an optional sign, digits with
// an optional fraction, an optional exponent, optional blanks, nothing else.
std::optional<double> ReadMoneyNumber(std::string_view text);

// What a fee field holds after the user leaves it: the money text of a
// positive amount, else a single space.
std::string FeeFieldText(std::string_view typed);

// The money text of the sum of the fee texts that read as numbers, in the
// order postage, certified fee, restricted fee, return receipt.
std::string FeeTotalText(const std::array<std::string, 4>& feeTexts);

} // namespace vell3
