#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vell3 {

// Symbol character values of Code 128 (ISO/IEC 15417) that the encoder uses.
inline constexpr int kCode128CodeB = 100; // in code set A or C: switch to B
inline constexpr int kCode128CodeA = 101; // in code set B or C: switch to A
inline constexpr int kCode128StartA = 103;
inline constexpr int kCode128StartB = 104;
inline constexpr int kCode128StartC = 105;
inline constexpr int kCode128Stop = 106;
inline constexpr int kCode128CheckModulus = 103;

// The symbol characters of a text: start, data, check character and stop.
// A text that begins with more than three digits starts in code set C and
// takes its digits in pairs; it leaves code set C where fewer than two digits
// remain before a non-digit. Other texts start in code set A when a control
// character comes before any lower-case letter, else in code set B, and
// switch between A and B where a character needs the other set. Characters
// that no code set holds (above 127, NUL) are left out.
std::vector<int> EncodeCode128(std::string_view text);

// The bar and space modules of one symbol character, "1" dark and "0" light:
// 11 modules, 13 for the stop character.
std::string_view Code128Pattern(int value);

} // namespace vell3
