#pragma once

#include "EngineError.h"
#include "Warnings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vell3::tables::test {

// A fresh folder per test, the engine's error and warning hooks recording.
class TableTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string PathOf(const std::string& name) const { return dir_ + "/" + name; }

    std::vector<EngineError> errors_;
    std::vector<std::string> warnings_;
    std::string dir_;

private:
    EngineErrorHook previousHook_;
    WarningHook previousWarning_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
uint32_t Le32At(const std::string& bytes, size_t offset);
uint16_t Le16At(const std::string& bytes, size_t offset);

// Runs a shell command and returns what it wrote to standard output and error.
std::string RunCommand(const std::string& command);

// Runs body in a child process and returns its exit status (body's result).
int RunInChild(const std::function<int()>& body);

// Limits the size of the files this process writes, so that a write beyond
// it fails as on a full disk (root included); a limit of -1 lifts it again.
void LimitFileSize(long long bytes);

// The error an operation raises (number 0 when it raises none).
template <typename F> EngineError ErrorOf(F&& operation) {
    try {
        operation();
    } catch (const EngineException& e) {
        return e.Error();
    }
    return {};
}

} // namespace vell3::tables::test
