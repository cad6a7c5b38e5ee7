#pragma once

#include <string>
#include <string_view>

namespace vell3 {

// Removes every character with a code from 0 to 32 at both ends, the trimming
// the program applies to entry texts.
std::string Trim(std::string_view text);
std::u32string TrimU32(std::u32string_view text);

// The program holds its own text as UTF-8; positions that the user sees are
// counted in characters, so cutting works on code points.
std::u32string Utf8ToU32(std::string_view text);
std::string U32ToUtf8(std::u32string_view text);
bool IsValidUtf8(std::string_view text);

// Decodes bytes of the Windows-1252 code page, the reading of a text that is
// not valid UTF-8.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 as it stands when valid, else read as Windows-1252.
std::string DecodeExternalText(std::string_view bytes);

// ASCII-only case folding, as profile and field names are matched.
bool EqualsNoCase(std::string_view a, std::string_view b);
std::string ToUpperAscii(std::string_view text);

} // namespace vell3
