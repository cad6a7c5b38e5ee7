#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vell3 {

// The product's name and its version as the build sets it (a.b.c.d).
inline constexpr const char* kProductName = "Vell3 Certified Mail";
std::string ProductVersion();

// The GNU-style answer to --version: "<program> (Vell3 Certified Mail) <version>",
// the copyright line and the warranty notice.
std::string VersionText(std::string_view program);

// Answers --help (-h) and --version anywhere among the arguments: prints
// `helpText` or the version text to standard output and gives the exit
// status 0. No answer when neither is asked for.
std::optional<int> AnswerInformationOptions(int argc, char** argv, std::string_view program,
                                            std::string_view helpText);

} // namespace vell3
