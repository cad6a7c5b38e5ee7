#pragma once

#include <array>
#include <string>
#include <string_view>

namespace vell3::addresses {

// One line of a name-and-address text file: four name and street lines,
// city, state and ZIP, in that order.
inline constexpr size_t kNameAddressFieldCount = 7;
using NameAddressLine = std::array<std::string, kNameAddressFieldCount>;

enum NameAddressField : size_t {
    kLine1 = 0,
    kLine2,
    kLine3,
    kLine4,
    kCity,
    kState,
    kZip,
};

// Splits one line (without its line end) into its seven fields, as the
// import reads them: quoted fields run to the first double quote followed
// by a comma, pairs of double quotes in them stand for one; other fields run
// to the next comma; the seventh may end the line. A line without a comma,
// or one that runs out of commas before its sixth field, gives seven empty
// fields. Fields are returned as read, blanks included.
NameAddressLine ReadNameAddressLine(std::string_view line);

// The written form of one line: every value trimmed of blanks and control
// characters, each double quote in it doubled (a CR or LF left inside it
// becomes a blank), enclosed in double quotes,
// joined by commas, ended by CR LF.
std::string WriteNameAddressLine(const NameAddressLine& fields);

} // namespace vell3::addresses
