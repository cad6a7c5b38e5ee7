#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vell3 {

// The ordinary integer parse of the program's texts: leading blanks, an optional
// sign, then decimal digits, or hexadecimal digits after "$" or "0x"; nothing
// may follow. The value must fit 32 bits (hexadecimal up to FFFFFFFF, read as
// two's complement).
std::optional<std::int32_t> ParseInteger(std::string_view text);

// Same parse, failing with "'<text>' is not a valid integer value".
std::int32_t ParseIntegerOrThrow(std::string_view text);

std::string InvalidIntegerMessage(std::string_view text);

} // namespace vell3
