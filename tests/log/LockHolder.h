#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>

namespace vell3::log::test {

// Another program holding a table's append lock: a child process opens the
// table shared, takes the lock and keeps it until released (or for a set
// time, after which it lets go by itself).
class AppendLockHolder {
public:
    explicit AppendLockHolder(const std::string& tablePath,
                              std::chrono::milliseconds holdFor = std::chrono::minutes(1));
    ~AppendLockHolder();
    AppendLockHolder(const AppendLockHolder&) = delete;
    AppendLockHolder& operator=(const AppendLockHolder&) = delete;

    // True once the child holds the lock.
    bool Holding() const { return holding_; }
    // Ends the child, and with it the lock.
    void Release();

private:
    pid_t child_ = -1;
    int release_ = -1; // write end: closing it tells the child to let go
    bool holding_ = false;
};

} // namespace vell3::log::test
