#include "TableTestSupport.h"

#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vell3::tables::test {

std::string RunCommand(const std::string& command) {
    std::string out;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return "popen failed";
    }
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        out.append(buffer.data(), n);
    }
    pclose(pipe);
    return out;
}

void TableTest::SetUp() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vell3-tables-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    previousHook_ = SetEngineErrorHook([this](const EngineError& e) { errors_.push_back(e); });
    previousWarning_ = SetWarningHook([this](const std::string& w) { warnings_.push_back(w); });
}

void TableTest::TearDown() {
    SetEngineErrorHook(previousHook_);
    SetWarningHook(previousWarning_);
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

uint32_t Le32At(const std::string& bytes, size_t offset) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(bytes.at(offset + static_cast<size_t>(i)));
    }
    return v;
}

uint16_t Le16At(const std::string& bytes, size_t offset) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes.at(offset)) |
                                 (static_cast<unsigned char>(bytes.at(offset + 1)) << 8));
}

int RunInChild(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        int status = 99;
        try {
            status = body();
        } catch (...) {
            status = 98;
        }
        _exit(status);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void LimitFileSize(long long bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes < 0 ? limit.rlim_max : static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

} // namespace vell3::tables::test
