#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vell3::cli {

// One subcommand's line in the tool's --help.
struct SubcommandSummary {
    std::string_view name;
    std::string_view synopsis; // the arguments after the name
    std::string_view purpose;
};

// The global options before the subcommand, read without touching what
// follows it: the subcommand's own arguments pass through as they were given.
struct GlobalOptions {
    std::optional<std::string> programFolder;
    std::optional<std::string> settingsFile;
    int subcommandIndex = 0; // index into argv of the subcommand's name
};

// Reads the global options. --help and --version print their text to
// standard output, bad usage a message to standard error; each ends the run
// with the status returned. Otherwise returns the options.
struct GlobalParse {
    std::optional<GlobalOptions> options;
    int status = 0;
};
GlobalParse ParseGlobalOptions(int argc, char* argv[], std::span<const std::string_view> names,
                               std::span<const SubcommandSummary> summaries);

// The --help text.
std::string HelpText(std::span<const std::string_view> names,
                     std::span<const SubcommandSummary> summaries);

} // namespace vell3::cli
