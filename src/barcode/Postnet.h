#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vell3 {

// USPS POSTNET (letter-mail barcode) check digit of a digit string: the digit
// that makes the sum of all digits a multiple of ten.
char PostnetCheckDigit(std::string_view digits);

// The bars of a POSTNET symbol from left to right, true for a full bar and
// false for a half bar: the frame bar, five bars for each digit and for the
// check digit, the closing frame bar.
std::vector<bool> PostnetBars(std::string_view digits);

} // namespace vell3
