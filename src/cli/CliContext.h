#pragma once

#include <string>
#include <vector>

namespace vell3::cli {

// What every subcommand gets: the folders the global options chose and the
// subcommand's own arguments (without the subcommand's name).
struct CliContext {
    std::string programFolder; // the shipped files, with a trailing "/"
    std::string dataFolder;    // the writable folder unless the settings share one; trailing "/"
    std::string settingsFile;
    std::vector<std::string> args;
};

// Exit statuses shared by every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitError = 1;
inline constexpr int kExitUsage = 2;

} // namespace vell3::cli
