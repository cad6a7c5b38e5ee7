#pragma once

#include <string>
#include <string_view>

namespace vell3 {

// Code page 437, the OEM code page in which dBASE tables hold their text.
// Bytes below 0x80 are ASCII both ways.
std::string Cp437ToUtf8(std::string_view bytes);

// Characters that code page 437 cannot hold become "?".
std::string Utf8ToCp437(std::string_view text);

} // namespace vell3
