#pragma once

#include <algorithm>
#include <chrono>
#include <thread>

namespace vell3::tables {

// The engine's one way of waiting for a lock that another program holds: try,
// pause, try again until the time is up. One attempt is always made, also for
// a wait of zero; the last attempt falls at or just after the deadline.
template <typename Attempt>
bool RetryFor(std::chrono::milliseconds wait, std::chrono::milliseconds pause, Attempt&& attempt) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (attempt()) {
            return true;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
    }
}

// The pause between two attempts at a lock.
inline constexpr std::chrono::milliseconds kLockRetryPause{10};

} // namespace vell3::tables
