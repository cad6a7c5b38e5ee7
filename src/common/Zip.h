#pragma once

#include <string>
#include <string_view>

namespace vell3 {

// The text of an empty ZIP field: five blank digit positions, the fixed dash
// and four blank positions.
inline constexpr const char* kEmptyZipText = "     -    ";

// Tidies the text of a masked ZIP field: drops the blanks of unfilled
// positions and a dash that no ZIP+4 follows.
std::string NormalizeZip(std::string_view text);

} // namespace vell3
