#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "AppSettings.h"

namespace vell3 {

// A name and address taken from a pasted text whose last line is the city line.
struct PastedAddress {
    std::vector<std::string> nameLines; // at most four, in order
    std::string city;
    std::string state;
    std::string zip;
};

// The clipboard text of a program that ends lines the Unix way (LF alone, no CR
// anywhere) with CR LF line ends, as a Windows clipboard would hold it; a text
// holding any CR keeps its own line ends.
std::string WithWindowsLineBreaks(std::string_view clipboardText);

// Splits a pasted text into lines (ended by CR LF or LF CR; a lone CR or LF stays
// inside its line) and cuts the last line into city, state and ZIP. No value
// when the text holds no line at all.
std::optional<PastedAddress> ParsePastedAddress(std::string_view text);

// The lines of a pasted text as the paste sees them.
std::vector<std::string> SplitPastedLines(std::string_view text);

// The five sender lines: the four address lines, with "city state zip" in
// place of the first blank one, else as the fifth line.
std::array<std::string, 5> SenderLines(const AppSettings& settings);

// The five recipient lines printed on the form: the four name lines (a missing
// one is empty) with the city line "city state zip" in the first blank one,
// else as the fifth. City and state are trimmed, the ZIP tidied.
std::array<std::string, 5> RecipientLines(const std::vector<std::string>& nameLines,
                                          std::string_view city, std::string_view state,
                                          std::string_view zip);

} // namespace vell3
