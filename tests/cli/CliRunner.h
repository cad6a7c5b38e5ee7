#pragma once

#include <string>
#include <vector>

namespace vell3::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the built vell3-cli with the given arguments and a configuration folder
// of the test's own, so that no test reads or writes the user's settings.
CliResult RunCli(const std::vector<std::string>& args, const std::string& configFolder);

} // namespace vell3::test
