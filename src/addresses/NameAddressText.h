#pragma once

#include <string>
#include <string_view>

namespace vell3::addresses {

// The text of a name-and-address file as the import reads it: everything
// from a Ctrl-Z on is not part of it, a UTF-8 byte-order mark at its start
// is passed over, and the bytes are UTF-8 when they are valid UTF-8, else
// Windows-1252 (returned as UTF-8).
std::string DecodeNameAddressText(std::string_view bytes);

// Takes the next line from text (moving text past it) and returns it
// without its line end. A line ends at a line feed; a carriage return
// directly before it belongs to the line end, any other carriage return is
// dropped. The last line needs no line feed; text that ends with one has no
// further, empty line. Call only while text is not empty.
std::string TakeTextLine(std::string_view& text);

} // namespace vell3::addresses
