#include "CliRunner.h"

#include "TempFolder.h"

#include <cstdlib>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vell3::test {

CliResult RunCli(const std::vector<std::string>& args, const std::string& configFolder) {
    TempFolder outputs;
    const std::string outPath = outputs.File("out");
    const std::string errPath = outputs.File("err");
    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::setenv("XDG_CONFIG_HOME", configFolder.c_str(), 1);
        std::vector<char*> argv;
        std::string program = VELL3_CLI_PATH;
        argv.push_back(program.data());
        std::vector<std::string> copies(args);
        for (std::string& arg : copies) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    CliResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    return result;
}

} // namespace vell3::test
