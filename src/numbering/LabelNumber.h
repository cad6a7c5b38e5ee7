#pragma once

#include <string>
#include <string_view>

namespace vell3 {

// USPS special-services label number: "71", the nine-digit customer ID, the
// eight-digit serial and a GS1 modulo-10 check digit (USPS Publication 91).
// A customer ID or serial that is not a number counts as all zeros.
std::string BuildLabelNumber(std::string_view customerId, std::string_view serial);

// The GS1 modulo-10 check digit of a digit string: weight 3 on the rightmost
// digit, then 1 and 3 alternating to the left.
char Gs1CheckDigit(std::string_view digits);

// Characters 1-4, 5-8, 9-12, 13-16 and 17-20 joined by single spaces; nothing
// is checked, so a short text gives short or empty groups.
std::string GroupLabelNumber(std::string_view labelNumber);

} // namespace vell3
